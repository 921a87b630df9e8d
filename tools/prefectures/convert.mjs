// Writes the 47 prefecture silhouettes of とどうふけん from the outlines of
// @svg-maps/japan (CC BY 4.0): one SVG per prefecture, named by its national
// prefecture code (01 北海道 … 47 沖縄), each the prefecture's outline filled
// black on a white 133 x 133 square, fitted with a small margin and its
// aspect ratio kept. Far-away islands that would shrink the familiar main
// shape are left out (see KEEP_WITHIN and the report this prints).
//
//   cd tools/prefectures && npm install && node convert.mjs [output folder]
//
// The output folder defaults to assets/prefectures of this repository. The
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
    // The Goto islands stay; Tsushima, far to the north, goes.
    nagasaki: 0.75,
};

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
    const width = box[2] - box[0], height = box[3] - box[1];
    const scale = (SIZE - 2 * MARGIN) / Math.max(width, height);
    const offsetX = (SIZE - width * scale) / 2 - box[0] * scale;
    const offsetY = (SIZE - height * scale) / 2 - box[1] * scale;
    const place = ([x, y]) => `${(x * scale + offsetX).toFixed(2)},${(y * scale + offsetY).toFixed(2)}`;

    // Every island turns the same way, so the non-zero rule fills them all
    // (the source has no lakes or other holes).
    const d = kept.map(({ points, area }) => {
        const ordered = area < 0 ? [...points].reverse() : points;
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
});

console.log(`47 silhouettes written to ${outputFolder}`);
for (const line of report)
    console.log(line);
