// Makes Ondrava's built-in world map: a 360 x 180 equirectangular picture of
// the Earth as an 8-bit Windows .bmp with a colour table, from Natural Earth's
// 1:50m land polygons (public domain) as carried by the world-atlas package.
//
//   cd tools/world-map && npm ci && node make_world_map.mjs
//
// writes resources/world_map.bmp: bitmap resource IDB_WORLD_MAP of the
// Windows program; the build embeds the same file's bytes in the portable
// programs (cmake/EmbedFile.cmake).
//
// The picture: one pixel per degree, column 0 centred on 179.5 W, the top row
// on 89.5 N. Every sea pixel is exactly RGB (0, 0, 255), palette index 0. Land
// is coloured by a small climate rule of our own: ice toward the poles and on
// Greenland, deserts and dry steppes inside hand-drawn ellipses, vegetation
// elsewhere by latitude, all with a little deterministic noise, then snapped
// to a fixed palette of ramps. The output is the same byte for byte on every
// run.

import { readFileSync, writeFileSync } from "node:fs";
import { createRequire } from "node:module";
import { dirname, join } from "node:path";
import { fileURLToPath } from "node:url";
import { feature } from "topojson-client";

const here = dirname(fileURLToPath(import.meta.url));
const root = join(here, "..", "..");
const require = createRequire(import.meta.url);

const WIDTH = 360;
const HEIGHT = 180;
const SEA = [0, 0, 255];

// ---------------------------------------------------------------------------
// Land polygons.

// The rings of every land polygon, outer rings and holes alike, in degrees.
function loadRings() {
  const topo = JSON.parse(
    readFileSync(require.resolve("world-atlas/land-50m.json"), "utf8"),
  );
  const land = feature(topo, topo.objects.land);
  const features = land.type === "FeatureCollection" ? land.features : [land];
  const rings = [];
  for (const f of features) {
    const g = f.geometry;
    const polygons = g.type === "Polygon" ? [g.coordinates] : g.coordinates;
    for (const polygon of polygons) {
      for (const ring of polygon) rings.push(ring);
    }
  }
  return rings;
}

// The data is stitched across the antimeridian: a ring may jump from +180 to
// -180 and back (eastern Russia, Fiji) or go once round a pole (Antarctica).
// Make each ring's longitudes continuous, and close a ring that winds round a
// pole with two edges through that pole, so that a plain planar test works on
// it; the test then also tries the point shifted by a full turn either way.
function prepareRing(ring) {
  const pts = [[ring[0][0], ring[0][1]]];
  for (let i = 1; i < ring.length; i++) {
    let d = ring[i][0] - ring[i - 1][0];
    if (d > 180) d -= 360;
    if (d < -180) d += 360;
    pts.push([pts[i - 1][0] + d, ring[i][1]]);
  }
  const winding = pts[pts.length - 1][0] - pts[0][0];
  if (Math.abs(winding) > 180) {
    const meanLat = pts.reduce((s, p) => s + p[1], 0) / pts.length;
    const pole = meanLat < 0 ? -90 : 90;
    pts.push([pts[pts.length - 1][0], pole], [pts[0][0], pole]);
  }
  let minLat = Infinity;
  let maxLat = -Infinity;
  for (const p of pts) {
    minLat = Math.min(minLat, p[1]);
    maxLat = Math.max(maxLat, p[1]);
  }
  return { pts, minLat, maxLat };
}

// land[row * WIDTH + col] is 1 where the pixel centre lies on land: for each
// ring, a ray from the centre toward the west crosses the ring an odd number
// of times (even-odd rule), and the centre is land when it lies inside an odd
// number of rings (so lakes that are holes, such as the Caspian, are sea).
function rasterise(rings) {
  const land = new Uint8Array(WIDTH * HEIGHT);
  for (let row = 0; row < HEIGHT; row++) {
    const lat = 89.5 - row;
    for (const ring of rings) {
      if (lat < ring.minLat || lat > ring.maxLat) continue;
      const xs = [];
      const pts = ring.pts;
      for (let i = 0; i < pts.length; i++) {
        const a = pts[i];
        const b = pts[(i + 1) % pts.length];
        if (a[1] > lat !== b[1] > lat) {
          xs.push(a[0] + ((lat - a[1]) * (b[0] - a[0])) / (b[1] - a[1]));
        }
      }
      if (xs.length === 0) continue;
      for (let col = 0; col < WIDTH; col++) {
        const lon = -179.5 + col;
        let inside = false;
        for (const shift of [-360, 0, 360]) {
          let crossings = 0;
          for (const x of xs) if (x < lon + shift) crossings++;
          if (crossings % 2 === 1) inside = true;
        }
        if (inside) land[row * WIDTH + col] ^= 1;
      }
    }
  }
  return land;
}

// ---------------------------------------------------------------------------
// Deterministic noise.

function hash(x, y, seed) {
  let h = (Math.imul(x, 374761393) + Math.imul(y, 668265263)) | 0;
  h = (h + Math.imul(seed, 982451653)) | 0;
  h = Math.imul(h ^ (h >>> 13), 1274126177);
  h ^= h >>> 16;
  return (h >>> 0) / 4294967296;
}

// Smooth value noise in [0, 1) on a grid of `cell` degrees, wrapping in
// longitude.
function valueNoise(lon, lat, cell, seed) {
  const period = Math.round(360 / cell);
  const gx = (lon + 180) / cell;
  const gy = (lat + 90) / cell;
  const x0 = Math.floor(gx);
  const y0 = Math.floor(gy);
  const fx = gx - x0;
  const fy = gy - y0;
  const sx = fx * fx * (3 - 2 * fx);
  const sy = fy * fy * (3 - 2 * fy);
  const at = (x, y) => hash(((x % period) + period) % period, y, seed);
  const top = at(x0, y0) + (at(x0 + 1, y0) - at(x0, y0)) * sx;
  const bottom = at(x0, y0 + 1) + (at(x0 + 1, y0 + 1) - at(x0, y0 + 1)) * sx;
  return top + (bottom - top) * sy;
}

// Mostly broad patches, a little per-pixel grain; in [0, 1).
function noise(lon, lat, seed) {
  return (
    0.5 * valueNoise(lon, lat, 9, seed) +
    0.3 * valueNoise(lon, lat, 3, seed + 1) +
    0.2 * hash(Math.floor(lon + 180), Math.floor(lat + 90), seed + 2)
  );
}

// ---------------------------------------------------------------------------
// Climate.

// Dry regions: centre (lon, lat), half-widths in degrees, and how dry the
// centre is (1 = sand and rock, about 0.5 = steppe or dry savanna).
const DRY_REGIONS = [
  { name: "Western Sahara", lon: -2, lat: 22, rx: 18, ry: 9, peak: 1.0 },
  { name: "Central Sahara", lon: 10, lat: 22, rx: 14, ry: 8, peak: 1.0 },
  { name: "Eastern Sahara", lon: 22, lat: 24, rx: 16, ry: 9, peak: 1.0 },
  { name: "Sahel", lon: 8, lat: 14, rx: 30, ry: 4, peak: 0.5 },
  { name: "Arabia", lon: 47, lat: 23, rx: 13, ry: 10, peak: 1.0 },
  { name: "Iran and the Thar", lon: 63, lat: 29, rx: 14, ry: 7, peak: 0.85 },
  { name: "Turan and Kazakh steppe", lon: 62, lat: 44, rx: 17, ry: 7, peak: 0.75 },
  { name: "Taklamakan and Gobi", lon: 96, lat: 41, rx: 25, ry: 7, peak: 1.0 },
  { name: "Tibet", lon: 87, lat: 33, rx: 12, ry: 5, peak: 0.55 },
  { name: "Horn of Africa", lon: 46, lat: 7, rx: 7, ry: 6, peak: 0.8 },
  { name: "Kalahari and Namib", lon: 19, lat: -24, rx: 9, ry: 8, peak: 0.85 },
  { name: "Australian interior", lon: 130, lat: -25, rx: 18, ry: 10, peak: 1.0 },
  { name: "Northern Australia", lon: 133, lat: -16, rx: 16, ry: 5, peak: 0.5 },
  { name: "US southwest", lon: -114, lat: 36, rx: 9, ry: 8, peak: 0.95 },
  { name: "Chihuahua and Sonora", lon: -107, lat: 29, rx: 7, ry: 6, peak: 0.85 },
  { name: "Great Plains", lon: -102, lat: 41, rx: 7, ry: 10, peak: 0.5 },
  { name: "Atacama", lon: -70, lat: -23, rx: 3, ry: 9, peak: 1.0 },
  { name: "Peruvian coast", lon: -77, lat: -10, rx: 2.5, ry: 7, peak: 0.8 },
  { name: "Patagonia", lon: -68, lat: -44, rx: 5, ry: 8, peak: 0.6 },
  { name: "Caatinga", lon: -40, lat: -8, rx: 5, ry: 5, peak: 0.5 },
];

// How dry a place is, 0..1: full dryness over the inner half of a region,
// fading to none at its rim, the rim made ragged by noise.
function dryness(lon, lat) {
  const warp = (noise(lon, lat, 4) - 0.5) * 0.7;
  let dry = 0;
  for (const r of DRY_REGIONS) {
    const dx = (lon - r.lon) / r.rx;
    const dy = (lat - r.lat) / r.ry;
    const d = Math.sqrt(dx * dx + dy * dy) + warp;
    if (d < 1) dry = Math.max(dry, r.peak * Math.min(1, 2 * (1 - d)));
  }
  return dry;
}

// Greenland's ice sheet, as an ellipse round the island.
function onGreenland(lon, lat) {
  const dx = (lon + 42) / 32;
  const dy = (lat - 72.5) / 13.5;
  return lat > 59.5 && dx * dx + dy * dy < 1;
}

function mix(a, b, t) {
  return [0, 1, 2].map((k) => a[k] + (b[k] - a[k]) * t);
}

// Anchor colours of the land classes.
const ICE_LIGHT = [255, 255, 255];
const ICE_SHADE = [206, 214, 224];
const TUNDRA_LIGHT = [158, 154, 126];
const TUNDRA_DARK = [112, 118, 92];
const BOREAL_LIGHT = [64, 104, 60];
const BOREAL_DARK = [34, 74, 44];
const TEMPERATE_LIGHT = [112, 150, 70];
const TEMPERATE_DARK = [58, 112, 46];
const TROPICAL_LIGHT = [52, 120, 40];
const TROPICAL_DARK = [18, 82, 28];
const STEPPE_LIGHT = [190, 176, 112];
const STEPPE_DARK = [150, 142, 84];
const DESERT_LIGHT = [232, 204, 146];
const DESERT_DARK = [186, 140, 88];

// The green of a place with enough rain, by latitude.
function vegetation(lat, n) {
  const a = Math.abs(lat);
  const tropical = mix(TROPICAL_LIGHT, TROPICAL_DARK, n);
  const temperate = mix(TEMPERATE_LIGHT, TEMPERATE_DARK, n);
  const boreal = mix(BOREAL_LIGHT, BOREAL_DARK, n);
  const tundra = mix(TUNDRA_LIGHT, TUNDRA_DARK, n);
  if (a < 15) return tropical;
  if (a < 28) return mix(tropical, temperate, (a - 15) / 13);
  if (a < 45) return temperate;
  if (a < 55) return mix(temperate, boreal, (a - 45) / 10);
  if (a < 61) return boreal;
  if (a < 67) return mix(boreal, tundra, (a - 61) / 6);
  return tundra;
}

// The wanted colour of one land pixel, before it is snapped to the palette.
function landColour(lon, lat) {
  const n = noise(lon, lat, 1);
  const iceLine = 70 + (noise(lon, lat, 7) - 0.5) * 4;
  if (lat < -60 || lat > iceLine || onGreenland(lon, lat)) {
    return mix(ICE_LIGHT, ICE_SHADE, n * n);
  }
  const green = vegetation(lat, n);
  const dry = dryness(lon, lat);
  if (dry < 0.2) return green;
  const steppe = mix(STEPPE_LIGHT, STEPPE_DARK, n);
  if (dry < 0.45) return mix(green, steppe, (dry - 0.2) / 0.25);
  if (dry < 0.55) return steppe;
  const desert = mix(DESERT_LIGHT, DESERT_DARK, n);
  if (dry < 0.75) return mix(steppe, desert, (dry - 0.55) / 0.2);
  return desert;
}

// ---------------------------------------------------------------------------
// Palette.

// Sea blue first, then ramps between and across the land classes.
function buildPalette() {
  const palette = [SEA];
  const ramp = (a, b, steps) => {
    for (let i = 0; i < steps; i++) {
      palette.push(mix(a, b, i / (steps - 1)).map(Math.round));
    }
  };
  ramp(ICE_LIGHT, ICE_SHADE, 6);
  ramp(TUNDRA_LIGHT, TUNDRA_DARK, 5);
  ramp(BOREAL_LIGHT, BOREAL_DARK, 5);
  ramp(TEMPERATE_LIGHT, TEMPERATE_DARK, 6);
  ramp(TROPICAL_LIGHT, TROPICAL_DARK, 6);
  ramp(STEPPE_LIGHT, STEPPE_DARK, 5);
  ramp(DESERT_LIGHT, DESERT_DARK, 7);
  // In-between shades: green to steppe, steppe to desert, tundra to boreal.
  for (const [a, b] of [
    [mix(TEMPERATE_LIGHT, TEMPERATE_DARK, 0.5), mix(STEPPE_LIGHT, STEPPE_DARK, 0.5)],
    [mix(TROPICAL_LIGHT, TROPICAL_DARK, 0.5), mix(STEPPE_LIGHT, STEPPE_DARK, 0.5)],
    [mix(STEPPE_LIGHT, STEPPE_DARK, 0.5), mix(DESERT_LIGHT, DESERT_DARK, 0.5)],
    [mix(BOREAL_LIGHT, BOREAL_DARK, 0.5), mix(TUNDRA_LIGHT, TUNDRA_DARK, 0.5)],
    [mix(TROPICAL_LIGHT, TROPICAL_DARK, 0.5), mix(TEMPERATE_LIGHT, TEMPERATE_DARK, 0.5)],
    [mix(TEMPERATE_LIGHT, TEMPERATE_DARK, 0.5), mix(BOREAL_LIGHT, BOREAL_DARK, 0.5)],
  ]) {
    for (const t of [0.25, 0.5, 0.75]) palette.push(mix(a, b, t).map(Math.round));
  }
  for (const c of palette.slice(1)) {
    const d = Math.hypot(c[0] - SEA[0], c[1] - SEA[1], c[2] - SEA[2]);
    if (d < 60) throw new Error(`land colour ${c} reads as sea`);
  }
  if (palette.length > 256) throw new Error("palette too large");
  return palette;
}

function nearestLand(palette, c) {
  let best = 1;
  let bestD = Infinity;
  for (let i = 1; i < palette.length; i++) {
    const p = palette[i];
    const d = (p[0] - c[0]) ** 2 + (p[1] - c[1]) ** 2 + (p[2] - c[2]) ** 2;
    if (d < bestD) {
      bestD = d;
      best = i;
    }
  }
  return best;
}

// ---------------------------------------------------------------------------
// The .bmp file: BITMAPFILEHEADER, BITMAPINFOHEADER, the colour table, then
// the rows bottom-up, each padded to four bytes.

function encodeBmp(indices, palette) {
  const stride = (WIDTH + 3) & ~3;
  const tableBytes = 4 * palette.length;
  const offBits = 14 + 40 + tableBytes;
  const imageBytes = stride * HEIGHT;
  const buf = Buffer.alloc(offBits + imageBytes);
  buf.write("BM", 0, "latin1");
  buf.writeUInt32LE(buf.length, 2); // bfSize
  buf.writeUInt32LE(0, 6); // bfReserved1, bfReserved2
  buf.writeUInt32LE(offBits, 10); // bfOffBits
  buf.writeUInt32LE(40, 14); // biSize
  buf.writeInt32LE(WIDTH, 18); // biWidth
  buf.writeInt32LE(HEIGHT, 22); // biHeight: positive, bottom-up
  buf.writeUInt16LE(1, 26); // biPlanes
  buf.writeUInt16LE(8, 28); // biBitCount
  buf.writeUInt32LE(0, 30); // biCompression: BI_RGB
  buf.writeUInt32LE(imageBytes, 34); // biSizeImage
  buf.writeInt32LE(2835, 38); // biXPelsPerMeter (72 dpi)
  buf.writeInt32LE(2835, 42); // biYPelsPerMeter
  buf.writeUInt32LE(palette.length, 46); // biClrUsed
  buf.writeUInt32LE(0, 50); // biClrImportant: all
  palette.forEach((c, i) => {
    // RGBQUAD: blue, green, red, reserved.
    buf[54 + 4 * i] = c[2];
    buf[54 + 4 * i + 1] = c[1];
    buf[54 + 4 * i + 2] = c[0];
    buf[54 + 4 * i + 3] = 0;
  });
  for (let row = 0; row < HEIGHT; row++) {
    const fileRow = HEIGHT - 1 - row;
    for (let col = 0; col < WIDTH; col++) {
      buf[offBits + fileRow * stride + col] = indices[row * WIDTH + col];
    }
  }
  return buf;
}

// ---------------------------------------------------------------------------

const rings = loadRings().map(prepareRing);
const land = rasterise(rings);
const palette = buildPalette();
const indices = new Uint8Array(WIDTH * HEIGHT);
let landCount = 0;
for (let row = 0; row < HEIGHT; row++) {
  for (let col = 0; col < WIDTH; col++) {
    const i = row * WIDTH + col;
    if (!land[i]) continue;
    landCount++;
    indices[i] = nearestLand(palette, landColour(-179.5 + col, 89.5 - row));
  }
}
const used = new Set(indices);
const bmp = encodeBmp(indices, palette);
writeFileSync(join(root, "resources", "world_map.bmp"), bmp);
console.log(
  `world_map.bmp: ${bmp.length} bytes, ${rings.length} rings, ` +
    `palette ${palette.length} colours (${used.size} used), ` +
    `land ${((100 * landCount) / (WIDTH * HEIGHT)).toFixed(2)} %`,
);
