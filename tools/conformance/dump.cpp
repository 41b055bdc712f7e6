#include "tools/conformance/dump.h"

#include <cstring>

static const char MAGIC[8] = {'K', 'O', 'R', 'V', 'A', 'D', 'M', 'P'};

static void put32(uint8_t *out, uint32_t value) {
    for (int i = 0; i < 4; i++) out[i] = uint8_t(value >> (8 * i));
}
static uint32_t get32(const uint8_t *in) {
    return uint32_t(in[0]) | uint32_t(in[1]) << 8 | uint32_t(in[2]) << 16 | uint32_t(in[3]) << 24;
}

DumpWriter::DumpWriter(const std::string &path, int width, int height)
    : file_(fopen(path.c_str(), "wb")), width_(width), height_(height) {
    if (!file_) return;
    uint8_t header[20];
    memcpy(header, MAGIC, 8);
    put32(header + 8, uint32_t(width));
    put32(header + 12, uint32_t(height));
    put32(header + 16, 0); // the count, written by finish()
    if (fwrite(header, 1, sizeof header, file_) != sizeof header) failed_ = true;
}

DumpWriter::~DumpWriter() {
    if (file_) fclose(file_);
}

void DumpWriter::add(const uint32_t *pixels) {
    if (!ok()) return;
    size_t total = size_t(width_) * size_t(height_);
    runs_.clear();
    for (size_t i = 0; i < total;) {
        uint32_t pixel = pixels[i] & 0xFFFFFF;
        size_t end = i + 1;
        while (end < total && (pixels[end] & 0xFFFFFF) == pixel) end++;
        runs_.push_back(uint32_t(end - i));
        runs_.push_back(pixel);
        i = end;
    }
    std::vector<uint8_t> bytes(4 + runs_.size() * 4);
    put32(bytes.data(), uint32_t(runs_.size() / 2));
    for (size_t k = 0; k < runs_.size(); k++) put32(bytes.data() + 4 + 4 * k, runs_[k]);
    if (fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) failed_ = true;
    count_++;
}

bool DumpWriter::finish() {
    if (!file_) return false;
    uint8_t count[4];
    put32(count, count_);
    if (fseek(file_, 16, SEEK_SET) != 0 || fwrite(count, 1, 4, file_) != 4) failed_ = true;
    if (fclose(file_) != 0) failed_ = true;
    file_ = nullptr;
    return !failed_;
}

DumpReader::DumpReader(const std::string &path) : file_(fopen(path.c_str(), "rb")), path_(path) {
    if (!file_) {
        error_ = "cannot open " + path;
        return;
    }
    uint8_t header[20];
    if (fread(header, 1, sizeof header, file_) != sizeof header || memcmp(header, MAGIC, 8) != 0) {
        error_ = path + " is not a pixel dump";
        return;
    }
    width_ = get32(header + 8);
    height_ = get32(header + 12);
    count_ = get32(header + 16);
    if (width_ == 0 || height_ == 0 || width_ > 100000 || height_ > 100000)
        error_ = path + ": implausible canvas size";
}

DumpReader::~DumpReader() {
    if (file_) fclose(file_);
}

bool DumpReader::next_runs(std::vector<uint32_t> &runs) {
    if (!error_.empty()) return false;
    size_t total = size_t(width_) * size_t(height_);
    uint8_t word[4];
    if (fread(word, 1, 4, file_) != 4) {
        error_ = path_ + " ends early";
        return false;
    }
    uint32_t count = get32(word);
    std::vector<uint8_t> bytes(size_t(count) * 8);
    if (count > total || fread(bytes.data(), 1, bytes.size(), file_) != bytes.size()) {
        error_ = path_ + " ends early";
        return false;
    }
    runs.resize(size_t(count) * 2);
    size_t covered = 0;
    for (size_t k = 0; k < runs.size(); k++) runs[k] = get32(bytes.data() + 4 * k);
    for (size_t k = 0; k < runs.size(); k += 2) {
        if (runs[k] == 0 || runs[k] > total - covered) break;
        covered += runs[k];
    }
    if (covered != total) {
        error_ = path_ + ": runs do not cover one canvas";
        return false;
    }
    return true;
}

void DumpReader::decode(const std::vector<uint32_t> &runs, std::vector<uint32_t> &pixels) const {
    pixels.clear();
    pixels.reserve(size_t(width_) * size_t(height_));
    for (size_t k = 0; k + 1 < runs.size(); k += 2)
        pixels.insert(pixels.end(), runs[k], runs[k + 1]);
}

bool DumpReader::next(std::vector<uint32_t> &pixels) {
    std::vector<uint32_t> runs;
    if (!next_runs(runs)) return false;
    decode(runs, pixels);
    return true;
}
