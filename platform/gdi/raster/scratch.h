// A buffer for per-shape working data: on the stack when small, on the heap only when not.
// T should be trivially constructible, so that the stack part costs nothing to set up.
#pragma once

#include <cstddef>
#include <vector>

namespace raster {

template <typename T, size_t N>
class Scratch {
  public:
    explicit Scratch(size_t count) {
        if (count > N) {
            heap_.resize(count);
            data_ = heap_.data();
        }
    }
    Scratch(const Scratch &) = delete;
    Scratch &operator=(const Scratch &) = delete;

    T &operator[](size_t i) { return data_[i]; }
    T *data() { return data_; }

  private:
    T local_[N]; // left uninitialised: callers write before they read
    std::vector<T> heap_;
    T *data_ = local_;
};

} // namespace raster
