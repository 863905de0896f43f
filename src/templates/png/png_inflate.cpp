#define ZLIB_CONST
#include "templates/png/png_inflate.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <limits>
#include <string>

#include "templates/png/png_decode_error.h"

namespace veilix {
namespace {

// zlib counts in uInt; hand it at most this much output room at a time.
constexpr std::size_t kMaxStep = std::numeric_limits<uInt>::max();

[[noreturn]] void FailShort() { throw PngDecodeError("image data ends before the image is complete in IDAT"); }

}  // namespace

struct ImageDataInflater::State {
    z_stream zs{};
};

ImageDataInflater::ImageDataInflater(const std::vector<std::span<const std::uint8_t>>& parts)
    : state_(std::make_unique<State>()), parts_(parts) {
    if (inflateInit(&state_->zs) != Z_OK) throw PngDecodeError("cannot start inflating IDAT");
}

ImageDataInflater::~ImageDataInflater() { inflateEnd(&state_->zs); }

void ImageDataInflater::Refill() {
    z_stream& zs = state_->zs;
    while (zs.avail_in == 0 && next_part_ < parts_.size()) {
        const auto part = parts_[next_part_++];
        zs.next_in = part.data();
        zs.avail_in = static_cast<uInt>(part.size());  // chunk data is below 2^31 bytes
    }
}

bool ImageDataInflater::Exhausted() const { return state_->zs.avail_in == 0 && next_part_ == parts_.size(); }

// One inflate call into out[0, size); returns the bytes it produced.
std::size_t ImageDataInflater::Step(std::uint8_t* out, std::size_t size) {
    z_stream& zs = state_->zs;
    const auto room = static_cast<uInt>(std::min(size, kMaxStep));
    zs.next_out = out;
    zs.avail_out = room;
    const int status = inflate(&zs, Z_NO_FLUSH);
    if (status == Z_STREAM_END) {
        ended_ = true;
    } else if (status != Z_OK && status != Z_BUF_ERROR) {
        throw PngDecodeError(std::string("inflating IDAT failed: ") + (zs.msg ? zs.msg : "corrupt data"));
    }
    return room - zs.avail_out;
}

void ImageDataInflater::Read(std::span<std::uint8_t> out) {
    std::size_t done = 0;
    while (done < out.size()) {
        if (ended_) FailShort();
        Refill();
        const std::size_t produced = Step(out.data() + done, out.size() - done);
        done += produced;
        // zlib may still hold output when the input is used up, so only a call
        // that yields nothing proves the data has run out.
        if (produced == 0 && Exhausted()) FailShort();
    }
}

void ImageDataInflater::Finish() {
    std::array<std::uint8_t, 4096> scratch;
    while (!ended_) {
        Refill();
        const std::size_t produced = Step(scratch.data(), scratch.size());
        if (!ended_ && produced == 0 && Exhausted()) throw PngDecodeError("zlib stream in IDAT is incomplete");
    }
}

}  // namespace veilix
