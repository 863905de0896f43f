#include "templates/png/png_unfilter.h"

#include <cstdlib>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace veilix {
namespace {

constexpr std::size_t kPixelBytes = 3;

void UnfilterNone(const std::uint8_t* in, std::uint8_t* out, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) out[i] = in[i];
}

// Scalar Sub from byte `start` on; `start` is a whole number of pixels.
void UnfilterSubFrom(const std::uint8_t* in, std::uint8_t* out, std::size_t start, std::size_t n) {
    // Keeping the running pixel in registers avoids reloading what was just stored.
    std::uint8_t r = start ? out[start - 3] : 0, g = start ? out[start - 2] : 0, b = start ? out[start - 1] : 0;
    for (std::size_t i = start; i < n; i += kPixelBytes) {
        r = static_cast<std::uint8_t>(r + in[i]);
        g = static_cast<std::uint8_t>(g + in[i + 1]);
        b = static_cast<std::uint8_t>(b + in[i + 2]);
        out[i] = r;
        out[i + 1] = g;
        out[i + 2] = b;
    }
}

#if defined(__SSE2__)
// Sub is a running sum per channel. Four pixels (12 bytes) at a time: a
// prefix sum inside the block by shifted adds, then the total carried from
// the blocks before, which is the only step that depends on earlier blocks.
void UnfilterSub(const std::uint8_t* in, std::uint8_t* out, std::size_t n) {
    __m128i carry = _mm_setzero_si128();  // last pixel so far, in each of the four pixel slots
    std::size_t i = 0;
    for (; i + 16 <= n; i += 12) {
        __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
        x = _mm_add_epi8(x, _mm_slli_si128(x, 3));
        x = _mm_add_epi8(x, _mm_slli_si128(x, 6));
        __m128i last = _mm_srli_si128(_mm_slli_si128(x, 4), 13);  // pixel 3 of the block alone
        last = _mm_or_si128(last, _mm_slli_si128(last, 3));
        last = _mm_or_si128(last, _mm_slli_si128(last, 6));
        // Bytes 12-15 are junk; the next block or the scalar tail overwrites them.
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_add_epi8(x, carry));
        carry = _mm_add_epi8(carry, last);
    }
    UnfilterSubFrom(in, out, i, n);
}
#else
void UnfilterSub(const std::uint8_t* in, std::uint8_t* out, std::size_t n) { UnfilterSubFrom(in, out, 0, n); }
#endif

void UnfilterUp(const std::uint8_t* __restrict in, const std::uint8_t* __restrict above, std::uint8_t* __restrict out,
                std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) out[i] = static_cast<std::uint8_t>(in[i] + above[i]);
}

void UnfilterAverage(const std::uint8_t* in, const std::uint8_t* above, std::uint8_t* out, std::size_t n) {
    unsigned r = 0, g = 0, b = 0;
    for (std::size_t i = 0; i < n; i += kPixelBytes) {
        r = (in[i] + ((r + above[i]) >> 1)) & 0xff;
        g = (in[i + 1] + ((g + above[i + 1]) >> 1)) & 0xff;
        b = (in[i + 2] + ((b + above[i + 2]) >> 1)) & 0xff;
        out[i] = static_cast<std::uint8_t>(r);
        out[i + 1] = static_cast<std::uint8_t>(g);
        out[i + 2] = static_cast<std::uint8_t>(b);
    }
}

// The predictor of the Paeth filter, written so it compiles to selects, not branches.
inline int Paeth(int a, int b, int c) {
    const int pa = std::abs(b - c);
    const int pb = std::abs(a - c);
    const int pc = std::abs(a + b - 2 * c);
    const int bc = pb <= pc ? b : c;
    return (pa <= pb && pa <= pc) ? a : bc;
}

void UnfilterPaeth(const std::uint8_t* in, const std::uint8_t* above, std::uint8_t* out, std::size_t n) {
    int r = 0, g = 0, b = 0;     // left
    int ur = 0, ug = 0, ub = 0;  // upper left
    for (std::size_t i = 0; i < n; i += kPixelBytes) {
        const int ar = above[i], ag = above[i + 1], ab = above[i + 2];
        r = (in[i] + Paeth(r, ar, ur)) & 0xff;
        g = (in[i + 1] + Paeth(g, ag, ug)) & 0xff;
        b = (in[i + 2] + Paeth(b, ab, ub)) & 0xff;
        ur = ar;
        ug = ag;
        ub = ab;
        out[i] = static_cast<std::uint8_t>(r);
        out[i + 1] = static_cast<std::uint8_t>(g);
        out[i + 2] = static_cast<std::uint8_t>(b);
    }
}

}  // namespace

bool UnfilterRgbRow(std::uint8_t filter_type, const std::uint8_t* filtered, const std::uint8_t* above,
                    std::uint8_t* out, std::size_t row_bytes) {
    switch (filter_type) {
        case 0: UnfilterNone(filtered, out, row_bytes); return true;
        case 1: UnfilterSub(filtered, out, row_bytes); return true;
        case 2: UnfilterUp(filtered, above, out, row_bytes); return true;
        case 3: UnfilterAverage(filtered, above, out, row_bytes); return true;
        case 4: UnfilterPaeth(filtered, above, out, row_bytes); return true;
        default: return false;
    }
}

}  // namespace veilix
