// Makes Ondrava's built-in photographic maps from the example images the
// three-globe package carries (NASA's Blue Marble and Black Marble imagery):
//
//   cd tools/photo-maps && npm ci --ignore-scripts && node make_photo_maps.mjs
//
// writes, all 2048 x 1024 and equirectangular like the built-in map (column 0
// centred just east of 180 W, the top row just south of 90 N):
//   resources/earth_day.jpg    the day side (Blue Marble), area-averaged
//   resources/earth_night.jpg  the city lights (Black Marble), area-averaged
//   resources/earth_water.png  8-bit grey, 255 where there is water, 0 on
//                              land, the coast's share in between
//
// Before writing, the water mask and the day map are held against the sea
// pixels of resources/world_map.bmp under every candidate placement (as they
// are, turned half a turn, upside down); the best placement is applied to all
// three maps and its agreement printed, so that the same Revolution Offset
// shows the same side of the Earth with either map. The output is the same
// byte for byte on every run.

import { readFileSync, writeFileSync } from "node:fs";
import { dirname, join } from "node:path";
import { fileURLToPath } from "node:url";
import jpeg from "jpeg-js";
import { PNG } from "pngjs";

const here = dirname(fileURLToPath(import.meta.url));
const root = join(here, "..", "..");
// Only the package's image files are used, never its code.
const images = join(here, "node_modules", "three-globe", "example", "img");

const WIDTH = 2048;
const HEIGHT = 1024;
// Chosen so that the day and night maps and the mask together stay near one
// megabyte inside the program.
const DAY_QUALITY = 80;
const NIGHT_QUALITY = 80;
const MASK_NOISE = 8;

// An image as planes of floats, one per channel, row 0 at the top.
function planesOf(data, width, height, stride, channels) {
  const planes = [];
  for (let c = 0; c < channels; c++) {
    const plane = new Float64Array(width * height);
    for (let i = 0; i < width * height; i++) plane[i] = data[i * stride + c];
    planes.push(plane);
  }
  return { width, height, planes };
}

// The weights by which source cells of size `from / to` cover each output
// cell along one axis: exact area averaging for any ratio.
function coverage(from, to) {
  const rows = [];
  const scale = from / to;
  for (let o = 0; o < to; o++) {
    const start = o * scale;
    const end = (o + 1) * scale;
    const parts = [];
    for (let s = Math.floor(start); s < Math.ceil(end) && s < from; s++) {
      const w = Math.min(end, s + 1) - Math.max(start, s);
      if (w > 0) parts.push([s, w / scale]);
    }
    rows.push(parts);
  }
  return rows;
}

function resample(image, width, height) {
  const across = coverage(image.width, width);
  const down = coverage(image.height, height);
  const planes = image.planes.map((plane) => {
    const wide = new Float64Array(width * image.height);
    for (let y = 0; y < image.height; y++) {
      for (let x = 0; x < width; x++) {
        let sum = 0;
        for (const [s, w] of across[x]) sum += plane[y * image.width + s] * w;
        wide[y * width + x] = sum;
      }
    }
    const out = new Float64Array(width * height);
    for (let y = 0; y < height; y++) {
      for (const [s, w] of down[y]) {
        for (let x = 0; x < width; x++) out[y * width + x] += wide[s * width + x] * w;
      }
    }
    return out;
  });
  return { width, height, planes };
}

// The placements tried: a function from an output texel to the texel of the
// source that belongs there.
const PLACEMENTS = {
  "as is": (x, y, w, h) => [x, y],
  "half a turn": (x, y, w, h) => [(x + w / 2) % w, y],
  "upside down": (x, y, w, h) => [x, h - 1 - y],
};

function place(image, placement) {
  const { width: w, height: h } = image;
  const planes = image.planes.map((plane) => {
    const out = new Float64Array(w * h);
    for (let y = 0; y < h; y++) {
      for (let x = 0; x < w; x++) {
        const [sx, sy] = placement(x, y, w, h);
        out[y * w + x] = plane[sy * w + sx];
      }
    }
    return out;
  });
  return { width: w, height: h, planes };
}

// The built-in map's sea pixels: 360 x 180, top row first.
function builtInSea() {
  const bmp = readFileSync(join(root, "resources", "world_map.bmp"));
  const offBits = bmp.readUInt32LE(10);
  const stride = 360;
  const sea = new Uint8Array(360 * 180);
  for (let row = 0; row < 180; row++) {
    for (let col = 0; col < 360; col++) {
      const index = bmp[offBits + (179 - row) * stride + col];
      const entry = 54 + 4 * index;  // RGBQUAD: blue, green, red, reserved
      sea[row * 360 + col] =
        bmp[entry] === 255 && bmp[entry + 1] === 0 && bmp[entry + 2] === 0 ? 1 : 0;
    }
  }
  return sea;
}

// The share of one-degree cells on which `isWater` (0..1 per texel of a
// 2048 x 1024 plane, averaged over the cell) agrees with the built-in map.
function agreement(isWater, sea) {
  const cells = resample({ width: WIDTH, height: HEIGHT, planes: [isWater] }, 360, 180);
  let same = 0;
  for (let i = 0; i < sea.length; i++) {
    if ((cells.planes[0][i] > 0.5 ? 1 : 0) === sea[i]) same++;
  }
  return same / sea.length;
}

function readJpeg(name) {
  const decoded = jpeg.decode(readFileSync(join(images, name)), {
    useTArray: true, formatAsRGBA: true, maxMemoryUsageInMB: 1024 });
  return planesOf(decoded.data, decoded.width, decoded.height, 4, 3);
}

// The mask has been through a lossy coder on its way: land and open water
// carry faint noise (grey levels a few steps from black or white) that is
// no coast, so those levels are brought back to the ends before resampling.
function readMask(name) {
  const png = PNG.sync.read(readFileSync(join(images, name)));
  const mask = planesOf(png.data, png.width, png.height, 4, 1);  // red = grey
  mask.planes[0] = mask.planes[0].map((v) => v <= MASK_NOISE ? 0
                                      : v >= 255 - MASK_NOISE ? 255 : v);
  return mask;
}

function byte(v) {
  return Math.max(0, Math.min(255, Math.round(v)));
}

function writeJpeg(image, name, quality) {
  const n = image.width * image.height;
  const data = Buffer.alloc(n * 4);
  for (let i = 0; i < n; i++) {
    for (let c = 0; c < 3; c++) data[i * 4 + c] = byte(image.planes[c][i]);
    data[i * 4 + 3] = 255;
  }
  const encoded = jpeg.encode({ data, width: image.width, height: image.height }, quality);
  writeFileSync(join(root, "resources", name), encoded.data);
  return encoded.data.length;
}

function writeGreyPng(image, name) {
  const png = new PNG({ width: image.width, height: image.height, colorType: 0,
                        inputColorType: 0, inputHasAlpha: false, bitDepth: 8 });
  png.data = Buffer.from(image.planes[0].map(byte));
  const encoded = PNG.sync.write(png, { colorType: 0, inputColorType: 0,
                                        inputHasAlpha: false, deflateLevel: 9 });
  writeFileSync(join(root, "resources", name), encoded);
  return encoded.length;
}

const day = resample(readJpeg("earth-blue-marble.jpg"), WIDTH, HEIGHT);
const night = resample(readJpeg("earth-night.jpg"), WIDTH, HEIGHT);
const water = resample(readMask("earth-water.png"), WIDTH, HEIGHT);

// Water in the mask is white; in the photograph, blue above red and green.
const sea = builtInSea();
const maskWater = water.planes[0].map((v) => v / 255);
const dayWater = day.planes[2].map((b, i) =>
  b > day.planes[0][i] && b > day.planes[1][i] ? 1 : 0);
let best = null;
for (const [name, placement] of Object.entries(PLACEMENTS)) {
  const maskShare = agreement(
    place({ width: WIDTH, height: HEIGHT, planes: [maskWater] }, placement).planes[0], sea);
  const dayShare = agreement(
    place({ width: WIDTH, height: HEIGHT, planes: [dayWater] }, placement).planes[0], sea);
  console.log(`${name}: mask agrees on ${(100 * maskShare).toFixed(2)} %, ` +
              `day map on ${(100 * dayShare).toFixed(2)} % of the one-degree cells`);
  if (!best || maskShare + dayShare > best.score) {
    best = { name, placement, score: maskShare + dayShare };
  }
}
console.log(`placement used: ${best.name}`);

const sizes = {
  "earth_day.jpg": writeJpeg(place(day, best.placement), "earth_day.jpg", DAY_QUALITY),
  "earth_night.jpg": writeJpeg(place(night, best.placement), "earth_night.jpg", NIGHT_QUALITY),
  "earth_water.png": writeGreyPng(place(water, best.placement), "earth_water.png"),
};
let total = 0;
for (const [name, bytes] of Object.entries(sizes)) {
  console.log(`${name}: ${bytes} bytes`);
  total += bytes;
}
console.log(`together: ${total} bytes`);
