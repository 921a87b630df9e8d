// Writes the 47 prefecture silhouettes of とどうふけん from the outlines of
// @svg-maps/japan (CC BY 4.0): one SVG per prefecture, named by its national
// prefecture code (01 北海道 … 47 沖縄), each the prefecture's outline filled
// black on a white 133 x 133 square, fitted with a small margin and its
// aspect ratio kept. Far-away islands that would shrink the familiar main
// shape are left out (see KEEP_WITHIN and the report this prints).
//
//   cd tools/prefectures && npm install && node convert.mjs [output folder [reference file]]
//
// The output folder defaults to assets/prefectures of this repository; the
// reference outlines the tests compare the pictures with go to
// tests/data/prefecture-outlines.txt. The
// game's build never runs this: the SVGs it writes are committed.

import { mkdirSync, writeFileSync } from 'node:fs';
import { dirname, join, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';
import japan from '@svg-maps/japan';

const SIZE = 133;   // pixels, the silhouette's square
const MARGIN = 4;   // pixels of white kept on every side

// The source's ids in the order of the national prefecture codes 1 to 47.
const PREFECTURES = [
    ['hokkaido', '北海道'], ['aomori', '青森'], ['iwate', '岩手'], ['miyagi', '宮城'],
    ['akita', '秋田'], ['yamagata', '山形'], ['fukushima', '福島'], ['ibaraki', '茨城'],
    ['tochigi', '栃木'], ['gunma', '群馬'], ['saitama', '埼玉'], ['chiba', '千葉'],
    ['tokyo', '東京'], ['kanagawa', '神奈川'], ['niigata', '新潟'], ['toyama', '富山'],
    ['ishikawa', '石川'], ['fukui', '福井'], ['yamanashi', '山梨'], ['nagano', '長野'],
    ['gifu', '岐阜'], ['shizuoka', '静岡'], ['aichi', '愛知'], ['mie', '三重'],
    ['shiga', '滋賀'], ['kyoto', '京都'], ['osaka', '大阪'], ['hyogo', '兵庫'],
    ['nara', '奈良'], ['wakayama', '和歌山'], ['tottori', '鳥取'], ['shimane', '島根'],
    ['okayama', '岡山'], ['hiroshima', '広島'], ['yamaguchi', '山口'], ['tokushima', '徳島'],
    ['kagawa', '香川'], ['ehime', '愛媛'], ['kochi', '高知'], ['fukuoka', '福岡'],
    ['saga', '佐賀'], ['nagasaki', '長崎'], ['kumamoto', '熊本'], ['oita', '大分'],
    ['miyazaki', '宮崎'], ['kagoshima', '鹿児島'], ['okinawa', '沖縄'],
];

// An island is kept when the gap between its bounding box and the main
// body's is at most this many times the main body's longer side.
const DEFAULT_KEEP_WITHIN = 0.5;
const KEEP_WITHIN = {
    // The Izu islands lie far south of Tokyo's main body.
    tokyo: 0,
    // Only the islands hugging Okinawa Island; the Amami islands (filed
    // under Okinawa in the source), Miyako, Yaeyama, Kume and Kerama go.
    okinawa: 0.25,
    // Tsushima lies far to the north, beyond Iki, yet it is Nagasaki's as
    // Sado is Niigata's: every island of Nagasaki stays.
    nagasaki: Infinity,
};

// Lakes a player knows a prefecture by, cut out of its silhouette as holes
// (the source has none). Each is traced in degrees of longitude and latitude
// and placed by the prefecture's own extent in degrees, which the source's
// outline of it spans: over so small an area the map is near enough linear.
const LAKES = [
    {
        name: 'Lake Biwa', in: 'shiga',
        // West, south, east and north edges of Shiga, in degrees.
        extent: [135.764, 34.790, 136.455, 35.704],
        // Clockwise from Shiozu Bay, the northern tip: down the east shore
        // past Nagahama and Hikone to the narrows at Moriyama, round the
        // southern basin by Kusatsu, Seta and Otsu, and up the west shore
        // by Katata, Omi-Takashima and Imazu.
        outline: [
            [136.160, 35.530], [136.200, 35.500], [136.230, 35.450], [136.258, 35.400],
            [136.268, 35.360], [136.252, 35.305], [136.240, 35.270], [136.200, 35.232],
            [136.150, 35.203], [136.100, 35.190], [136.060, 35.172], [136.010, 35.142],
            [135.970, 35.122], [135.945, 35.112], [135.936, 35.062], [135.930, 35.022],
            [135.908, 34.978], [135.882, 34.990], [135.866, 35.012], [135.874, 35.050],
            [135.894, 35.080], [135.915, 35.112], [135.932, 35.152], [135.970, 35.222],
            [136.010, 35.280], [136.032, 35.302], [136.068, 35.332], [136.042, 35.372],
            [136.030, 35.410], [136.050, 35.460], [136.080, 35.500], [136.120, 35.512],
        ],
    },
];

// Islands the source files under a neighbouring prefecture: moved to the
// prefecture they belong to. Each is found by its bounding box's centre.
const MOVES = [
    // Shōdoshima belongs to Kagawa, not Okayama.
    { name: 'Shōdoshima', from: 'okayama', to: 'kagawa', centreWithin: [205, 281, 213, 287] },
    // Iki belongs to Nagasaki, not Saga.
    { name: 'Iki', from: 'saga', to: 'nagasaki', centreWithin: [117, 298, 122, 304] },
    // Nagashima, off Akune, belongs to Kagoshima, not Kumamoto.
    { name: 'Nagashima', from: 'kumamoto', to: 'kagoshima', centreWithin: [127, 336, 130, 341] },
];

// Subpaths smaller than this (source units squared) are slivers, not land.
const SLIVER_AREA = 0.05;

// --- Path reading -----------------------------------------------------------

// The source's paths use only moveto (with implicit linetos) and closepath;
// lineto and the horizontal and vertical forms are read too, anything else
// stops the conversion.
function parsePath(d) {
    const tokens = d.match(/[a-zA-Z]|[-+]?(?:\d+\.?\d*|\.\d+)(?:[eE][-+]?\d+)?/g) ?? [];
    const subpaths = [];
    let current = null;
    let x = 0, y = 0, startX = 0, startY = 0;
    let command = null;
    let i = 0;
    const number = () => {
        const value = Number(tokens[i++]);
        if (!Number.isFinite(value))
            throw new Error(`a number expected in path at token ${i - 1}`);
        return value;
    };
    while (i < tokens.length) {
        if (/[a-zA-Z]/.test(tokens[i])) {
            command = tokens[i++];
            if (command === 'z' || command === 'Z') {
                x = startX;
                y = startY;
                current = null;
                continue;
            }
            if (!'mMlLhHvV'.includes(command))
                throw new Error(`path command ${command} is not handled`);
            if (command === 'm' || command === 'M') {
                const dx = number(), dy = number();
                [x, y] = command === 'm' ? [x + dx, y + dy] : [dx, dy];
                startX = x;
                startY = y;
                current = [[x, y]];
                subpaths.push(current);
                // Further pairs after a moveto are linetos of the same kind.
                command = command === 'm' ? 'l' : 'L';
                continue;
            }
        }
        if (current === null) {
            current = [[x, y]];
            subpaths.push(current);
        }
        switch (command) {
        case 'l': { const dx = number(), dy = number(); x += dx; y += dy; break; }
        case 'L': { x = number(); y = number(); break; }
        case 'h': x += number(); break;
        case 'H': x = number(); break;
        case 'v': y += number(); break;
        case 'V': y = number(); break;
        default: throw new Error(`coordinates without a command`);
        }
        current.push([x, y]);
    }
    return subpaths;
}

function signedArea(points) {
    let twice = 0;
    for (let i = 0; i < points.length; ++i) {
        const [x1, y1] = points[i];
        const [x2, y2] = points[(i + 1) % points.length];
        twice += x1 * y2 - x2 * y1;
    }
    return twice / 2;
}

// Whether point lies inside the closed outline (even-odd crossings).
function contains(outline, [x, y]) {
    let inside = false;
    for (let i = 0, j = outline.length - 1; i < outline.length; j = i++) {
        const [xi, yi] = outline[i];
        const [xj, yj] = outline[j];
        if ((yi > y) !== (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi)
            inside = !inside;
    }
    return inside;
}

function boundingBox(points) {
    const box = [Infinity, Infinity, -Infinity, -Infinity];
    for (const [x, y] of points) {
        box[0] = Math.min(box[0], x);
        box[1] = Math.min(box[1], y);
        box[2] = Math.max(box[2], x);
        box[3] = Math.max(box[3], y);
    }
    return box;
}

// The distance between two boxes (0 when they touch or overlap).
function boxGap(a, b) {
    const dx = Math.max(0, a[0] - b[2], b[0] - a[2]);
    const dy = Math.max(0, a[1] - b[3], b[1] - a[3]);
    return Math.hypot(dx, dy);
}

const round = (value) => Number(value.toFixed(1));
const describe = (box) => `[${box.map(round).join(', ')}]`;

// --- Conversion -------------------------------------------------------------

const byId = new Map(japan.locations.map((location) => [location.id, location]));
const subpathsOf = new Map();
for (const [id] of PREFECTURES) {
    const location = byId.get(id);
    if (!location)
        throw new Error(`the source has no prefecture ${id}`);
    subpathsOf.set(id, parsePath(location.path).map((points) => ({
        points,
        area: signedArea(points),
        box: boundingBox(points),
    })));
}
if (byId.size !== PREFECTURES.length)
    throw new Error(`the source has ${byId.size} shapes, not ${PREFECTURES.length}`);

const report = [];
for (const move of MOVES) {
    const from = subpathsOf.get(move.from);
    const [left, top, right, bottom] = move.centreWithin;
    const found = from.filter(({ box }) => {
        const cx = (box[0] + box[2]) / 2, cy = (box[1] + box[3]) / 2;
        return cx >= left && cx <= right && cy >= top && cy <= bottom;
    });
    if (found.length !== 1)
        throw new Error(`${move.name}: ${found.length} shapes found in ${move.from}, 1 expected`);
    subpathsOf.set(move.from, from.filter((subpath) => subpath !== found[0]));
    subpathsOf.get(move.to).push(found[0]);
    report.push(`${move.name}: moved from ${move.from} to ${move.to} ${describe(found[0].box)}`);
}

const here = dirname(fileURLToPath(import.meta.url));
const outputFolder = resolve(process.argv[2] ?? join(here, '..', '..', 'assets', 'prefectures'));
mkdirSync(outputFolder, { recursive: true });

// The reference outlines go to the tests unless a second folder is named.
const referenceFile = resolve(process.argv[3] ?? join(here, '..', '..', 'tests', 'data', 'prefecture-outlines.txt'));
const GRID = 32;    // cells a side of the reference outline
const SAMPLES = 4;  // points a side sampled in each cell
const references = [];

PREFECTURES.forEach(([id, name], index) => {
    const code = String(index + 1).padStart(2, '0');
    const all = subpathsOf.get(id).filter(({ area, box }) => {
        if (Math.abs(area) >= SLIVER_AREA)
            return true;
        report.push(`${code} ${name}: left out a sliver without area ${describe(box)}`);
        return false;
    });
    const main = all.reduce((a, b) => (Math.abs(b.area) > Math.abs(a.area) ? b : a));
    const mainSide = Math.max(main.box[2] - main.box[0], main.box[3] - main.box[1]);
    const within = (KEEP_WITHIN[id] ?? DEFAULT_KEEP_WITHIN) * mainSide;
    const kept = [];
    for (const subpath of all) {
        const gap = boxGap(subpath.box, main.box);
        if (subpath === main || gap <= within)
            kept.push(subpath);
        else
            report.push(`${code} ${name}: left out ${describe(subpath.box)} area ${round(Math.abs(subpath.area))}, `
                + `${round(gap)} from the main body (kept within ${round(within)})`);
    }

    const box = boundingBox(kept.flatMap(({ points }) => points));

    // Lakes: placed by the prefecture's extent, which is the box of what is
    // kept of it (no prefecture with a lake leaves an island out), and
    // turned against the land so that the non-zero rule leaves them empty.
    const holes = [];
    for (const lake of LAKES.filter((lake) => lake.in === id)) {
        const [west, south, east, north] = lake.extent;
        const points = lake.outline.map(([lon, lat]) => [
            box[0] + (lon - west) / (east - west) * (box[2] - box[0]),
            box[1] + (north - lat) / (north - south) * (box[3] - box[1]),
        ]);
        for (const point of points) {
            if (!kept.some((land) => contains(land.points, point)))
                throw new Error(`${lake.name}: ${describe(point)} is not inside ${id}`);
        }
        holes.push({ points, area: signedArea(points), lake: lake.name });
        report.push(`${code} ${name}: ${lake.name} cut out as a hole, ${points.length} points`);
    }
    const width = box[2] - box[0], height = box[3] - box[1];
    const scale = (SIZE - 2 * MARGIN) / Math.max(width, height);
    const offsetX = (SIZE - width * scale) / 2 - box[0] * scale;
    const offsetY = (SIZE - height * scale) / 2 - box[1] * scale;
    const place = ([x, y]) => `${(x * scale + offsetX).toFixed(2)},${(y * scale + offsetY).toFixed(2)}`;

    // Every island turns the same way, so the non-zero rule fills them all,
    // and every lake the other way, so that it stays white.
    const d = [...kept, ...holes].map(({ points, area, lake }) => {
        // Land turns one way, lakes the other.
        const ordered = (area < 0) !== Boolean(lake) ? [...points].reverse() : points;
        // The source repeats a point now and then; once is enough.
        const placed = ordered.map(place).filter((point, i, all) => i === 0 || point !== all[i - 1]);
        return `M${placed.join('L')}Z`;
    }).join('');

    const svg = `<?xml version="1.0" encoding="UTF-8"?>
<!-- ${name} (prefecture code ${code}): outline from @svg-maps/japan 2.0.0, based on MapSVG's map of Japan, CC BY 4.0. Redrawn for カシコロ: fitted to ${SIZE} x ${SIZE}, filled black on white, far islands left out. See ATTRIBUTION.md. -->
<svg xmlns="http://www.w3.org/2000/svg" width="${SIZE}" height="${SIZE}" viewBox="0 0 ${SIZE} ${SIZE}">
<rect width="${SIZE}" height="${SIZE}" fill="#ffffff"/>
<path fill="#000000" d="${d}"/>
</svg>
`;
    writeFileSync(join(outputFolder, `${code}.svg`), svg);

    // The reference outline: which cells of a grid laid over the square the
    // shape covers at least half of, found from the outlines themselves.
    const fitted = [...kept, ...holes].map(({ points }) => points.map(([x, y]) => [x * scale + offsetX, y * scale + offsetY]));
    const cell = SIZE / GRID;
    const rows = [];
    for (let gy = 0; gy < GRID; ++gy) {
        let bits = 0n;
        for (let gx = 0; gx < GRID; ++gx) {
            let covered = 0;
            for (let sy = 0; sy < SAMPLES; ++sy) {
                for (let sx = 0; sx < SAMPLES; ++sx) {
                    const point = [(gx + (sx + 0.5) / SAMPLES) * cell, (gy + (sy + 0.5) / SAMPLES) * cell];
                    // Even-odd over islands and lakes alike: no island lies in another.
                    if (fitted.filter((outline) => contains(outline, point)).length % 2 === 1)
                        ++covered;
                }
            }
            if (2 * covered >= SAMPLES * SAMPLES)
                bits |= 1n << BigInt(GRID - 1 - gx);
        }
        rows.push(bits.toString(16).padStart(GRID / 4, '0'));
    }
    references.push({ code, name, aspect: width / height, rows });
});

// The reference outlines for the game's tests, written beside the pictures'
// own checks: they tie each prefecture's name to the shape of its picture.
const header = `# Written by tools/prefectures/convert.mjs from @svg-maps/japan (CC BY 4.0;
# see assets/prefectures/ATTRIBUTION.md); do not edit by hand.
#
# Each prefecture's outline as the source map has it, one line each: its name,
# the width over the height of what its picture shows, and a ${GRID} x ${GRID} grid laid
# over its ${SIZE} x ${SIZE} picture, one hexadecimal row after another, the highest
# bit the leftmost cell, a bit set where the shape covers at least half of
# the cell. Found from the outlines by the script, not from the pictures.
${references.map((r) => [r.name, r.aspect.toFixed(4), ...r.rows].join(' ')).join('\n')}
`;
writeFileSync(referenceFile, header);

console.log(`47 silhouettes written to ${outputFolder}`);
for (const line of report)
    console.log(line);
