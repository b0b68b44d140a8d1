#include "platform/resample.h"

#include <algorithm>
#include <vector>

namespace kaza::platform {

namespace {

// How one axis maps: destination position j takes source positions taps[first[j] .. first[j+1])
// with integer weights that add up to `denom`. Along a shrinking axis a source position wholly
// inside the destination's span has the weight `full`; 0 when the axis grows.
struct Axis {
    struct Tap {
        int index;
        uint32_t weight;
    };
    std::vector<Tap> taps;
    std::vector<size_t> first;
    uint32_t denom = 1;
    uint32_t full = 0;
};

Axis MapAxis(int s, int d) {
    Axis a;
    a.first.reserve(static_cast<size_t>(d) + 1);
    if (s >= d) {
        // Area averaging: in units of 1/d source pixel, destination j spans [j*s, (j+1)*s) and
        // source i spans [i*d, (i+1)*d).
        a.denom = static_cast<uint32_t>(s);
        a.full = static_cast<uint32_t>(d);
        for (int j = 0; j < d; ++j) {
            a.first.push_back(a.taps.size());
            int64_t start = int64_t(j) * s, end = int64_t(j + 1) * s;
            int i0 = static_cast<int>(start / d), i1 = static_cast<int>((end - 1) / d);
            for (int i = i0; i <= i1; ++i) {
                int64_t ov = std::min<int64_t>(end, int64_t(i + 1) * d) - std::max<int64_t>(start, int64_t(i) * d);
                if (ov > 0) a.taps.push_back({i, static_cast<uint32_t>(ov)});
            }
        }
    } else {
        // Linear interpolation between pixel centres: in units of 1/(2d) source pixel the centre
        // of destination j lies at (2j+1)*s - d.
        a.denom = static_cast<uint32_t>(2 * d);
        for (int j = 0; j < d; ++j) {
            a.first.push_back(a.taps.size());
            int64_t pos = int64_t(2 * j + 1) * s - d;
            int i0 = 0;
            int64_t frac = 0;
            if (pos > 0) {
                i0 = static_cast<int>(pos / (2 * d));
                frac = pos - int64_t(i0) * 2 * d;
            }
            if (i0 >= s - 1) {
                i0 = s - 1;
                frac = 0;
            }
            a.taps.push_back({i0, static_cast<uint32_t>(2 * d - frac)});
            if (frac) a.taps.push_back({i0 + 1, static_cast<uint32_t>(frac)});
        }
    }
    a.first.push_back(a.taps.size());
    return a;
}

}  // namespace

void StretchPixels(const uint32_t* src, int sw, int sh, int srcStride, uint32_t* dst, int dw, int dh,
                   int dstStride) {
    if (!src || !dst || sw <= 0 || sh <= 0 || dw <= 0 || dh <= 0) return;
    const Axis rows = MapAxis(sh, dh), cols = MapAxis(sw, dw);
    const size_t n = static_cast<size_t>(sw) * 4;  // bytes of one source row
    std::vector<uint32_t> whole(n), part(n);
    std::vector<uint16_t> mid(n);                  // one resampled row, 8.8 fixed point
    std::vector<uint64_t> sums(4);
    const float toMid = 256.0f / static_cast<float>(rows.denom);
    const uint64_t colDenom = uint64_t(cols.denom) * 256;

    for (int j = 0; j < dh; ++j) {
        // Vertically: rows wholly inside the span are summed, the partial ones weighted.
        std::fill(whole.begin(), whole.end(), 0u);
        std::fill(part.begin(), part.end(), 0u);
        uint32_t* wp = whole.data();
        uint32_t* pp = part.data();
        for (size_t t = rows.first[j]; t < rows.first[j + 1]; ++t) {
            const uint8_t* row = reinterpret_cast<const uint8_t*>(src + size_t(rows.taps[t].index) * srcStride);
            const uint32_t w = rows.taps[t].weight;
            if (w == rows.full) {
                for (size_t k = 0; k < n; ++k) wp[k] += row[k];
            } else {
                for (size_t k = 0; k < n; ++k) pp[k] += w * row[k];
            }
        }
        const float fullW = static_cast<float>(rows.full);
        uint16_t* mp = mid.data();
        for (size_t k = 0; k < n; ++k)
            mp[k] = static_cast<uint16_t>((static_cast<float>(wp[k]) * fullW + static_cast<float>(pp[k])) * toMid + 0.5f);

        // Horizontally, from the resampled row.
        uint8_t* out = reinterpret_cast<uint8_t*>(dst + size_t(j) * dstStride);
        for (int x = 0; x < dw; ++x) {
            uint64_t b = 0, g = 0, r = 0;
            for (size_t t = cols.first[x]; t < cols.first[x + 1]; ++t) {
                const uint16_t* p = mp + size_t(cols.taps[t].index) * 4;
                const uint64_t w = cols.taps[t].weight;
                b += w * p[0];
                g += w * p[1];
                r += w * p[2];
            }
            out[x * 4 + 0] = static_cast<uint8_t>(std::min<uint64_t>(255, (b + colDenom / 2) / colDenom));
            out[x * 4 + 1] = static_cast<uint8_t>(std::min<uint64_t>(255, (g + colDenom / 2) / colDenom));
            out[x * 4 + 2] = static_cast<uint8_t>(std::min<uint64_t>(255, (r + colDenom / 2) / colDenom));
            out[x * 4 + 3] = 0;
        }
    }
}

}  // namespace kaza::platform
