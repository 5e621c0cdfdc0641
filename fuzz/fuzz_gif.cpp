// Feeds arbitrary bytes to the GIF block walker. Every frame it lists must lie inside the data,
// and the stand-alone GIF built for it must walk again to exactly that one frame.
#include "ui/core/GifLayout.h"

#include <cstdlib>
#include <vector>

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

void CheckFrame(const uint8_t* data, size_t size, const GifLayout& layout, size_t index)
{
    const GifFrameLayout& frame = layout.frames[index];
    Check(frame.start >= layout.blocksStart && frame.start <= frame.imageStart &&
          frame.imageStart < frame.end && frame.end <= size);
    const std::vector<uint8_t> single = BuildFrameGif(data, size, layout, index);
    GifLayout again;
    Check(ParseGifLayout(single.data(), single.size(), again));
    Check(again.frames.size() == 1);
    const GifFrameLayout& copy = again.frames[0];
    Check(copy.delay == frame.delay && copy.disposal == frame.disposal &&
          copy.width == frame.width && copy.height == frame.height && copy.left == 0 &&
          copy.top == 0 && copy.end - copy.start == frame.end - frame.start);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    GifLayout layout;
    if (!ParseGifLayout(data, size, layout)) {
        Check(layout.frames.empty());
        return 0;
    }
    Check(!layout.frames.empty() && layout.frames.size() <= kMaxGifFrames);
    Check(layout.blocksStart == kGifHeaderSize + layout.globalTableSize &&
          layout.blocksStart <= size);
    for (size_t i = 0; i < layout.frames.size(); ++i)
        CheckFrame(data, size, layout, i);
    return 0;
}
