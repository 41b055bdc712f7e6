// Reads the PNG files the headless runner writes: 8-bit RGB or RGBA, not interlaced.
'use strict';
const fs = require('fs');
const zlib = require('zlib');

// {width, height, rgb}: one 0xRRGGBB number a pixel, rows top to bottom.
function readPng(path) {
  const file = fs.readFileSync(path);
  let offset = 8, width = 0, height = 0, channels = 0;
  const data = [];
  while (offset < file.length) {
    const length = file.readUInt32BE(offset);
    const type = file.toString('latin1', offset + 4, offset + 8);
    const body = file.subarray(offset + 8, offset + 8 + length);
    if (type === 'IHDR') {
      width = body.readUInt32BE(0);
      height = body.readUInt32BE(4);
      const depth = body[8], color = body[9], interlace = body[12];
      if (depth !== 8 || (color !== 2 && color !== 6) || interlace !== 0)
        throw new Error(path + ': not an 8-bit RGB(A) PNG without interlacing');
      channels = color === 2 ? 3 : 4;
    } else if (type === 'IDAT') {
      data.push(body);
    }
    offset += 12 + length;
  }
  const raw = zlib.inflateSync(Buffer.concat(data));
  const stride = width * channels;
  const rows = Buffer.alloc(stride * height);
  for (let y = 0; y < height; y++) {
    const filter = raw[y * (stride + 1)];
    const line = raw.subarray(y * (stride + 1) + 1, (y + 1) * (stride + 1));
    for (let i = 0; i < stride; i++) {
      const left = i >= channels ? rows[y * stride + i - channels] : 0;
      const up = y > 0 ? rows[(y - 1) * stride + i] : 0;
      const corner = y > 0 && i >= channels ? rows[(y - 1) * stride + i - channels] : 0;
      let value = line[i];
      if (filter === 1) value += left;
      else if (filter === 2) value += up;
      else if (filter === 3) value += (left + up) >> 1;
      else if (filter === 4) {
        const p = left + up - corner;
        const pa = Math.abs(p - left), pb = Math.abs(p - up), pc = Math.abs(p - corner);
        value += pa <= pb && pa <= pc ? left : pb <= pc ? up : corner;
      }
      rows[y * stride + i] = value & 0xFF;
    }
  }
  const rgb = new Uint32Array(width * height);
  for (let i = 0; i < width * height; i++)
    rgb[i] = (rows[i * channels] << 16) | (rows[i * channels + 1] << 8) | rows[i * channels + 2];
  return {width, height, rgb};
}

module.exports = {readPng};
