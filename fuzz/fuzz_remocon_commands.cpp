// Feeds arbitrary text to the readers of the remote-controller app's commands: whatever they
// accept must lie within the bounds the link relies on before it sizes a bitmap or plays a key.
#include "view/core/RemoconCommands.h"

#include "activities/screenshare/core/ShareTileGrid.h"

#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::u16string text;
    for (size_t i = 0; i + 1 < size; i += 2)
        text.push_back(static_cast<char16_t>(data[i] | data[i + 1] << 8));
    RemoconViewerSize viewer;
    if (ReadViewerSize(text, viewer) &&
        (viewer.width < kMinShareSide || viewer.width > kMaxShareSide || viewer.tileWidth <= 0 ||
         viewer.tileHeight <= 0 || viewer.width % viewer.tileWidth != 0 || viewer.height % viewer.tileHeight != 0))
        std::abort();
    int width = 0, height = 0;
    if (ReadStreamCanvas(text, width, height) && !IsShareSizeUsable(width, height))
        std::abort();
    uint16_t code = 0;
    if (ReadCharacterCode(text, code) && code == 0)
        std::abort();
    int frame = 0;
    ReadFrameAcknowledgement(text, frame);
    IsRemoteAppNewer(text);
    const RemoconLetterbox box = ComputeLetterbox(true, 1920, 1080, viewer.width, viewer.height);
    if (box.width < 0 || box.height < 0 || box.width > 1920 || box.height > 1080)
        std::abort();
    return 0;
}
