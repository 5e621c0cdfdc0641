#include "view/core/RemoconCommands.h"

#include "activities/screenshare/core/ShareTileGrid.h"
#include "sessions/core/CommandText.h"

#include <vector>

namespace {

bool ReadSide(const std::u16string& text, int& side)
{
    return ParseDecimal(text, side) && side >= kMinShareSide && side <= kMaxShareSide;
}

} // namespace

bool IsRemoteAppNewer(const std::u16string& version)
{
    return IsVersionAtLeast(version, kRemoteAppStateVersion) && !IsVersionAtLeast(kRemoteAppStateVersion, version);
}

bool ReadViewerSize(const std::u16string& arguments, RemoconViewerSize& size)
{
    std::vector<std::u16string> fields;
    RemoconViewerSize read;
    if (!SplitExactly(arguments, 4, fields) || !ReadSide(fields[0], read.width) || !ReadSide(fields[1], read.height))
        return false;
    read.tileWidth = TileSide(read.width, kStreamTileFloor);
    read.tileHeight = TileSide(read.height, kStreamTileFloor);
    read.fullScreen = fields[2] == u"full";
    read.fitted = fields[3] == u"resize";
    size = read;
    return true;
}

bool ReadStreamCanvas(const std::u16string& arguments, int& width, int& height)
{
    std::vector<std::u16string> fields;
    int w = 0, h = 0;
    if (!SplitExactly(arguments, 2, fields) || !ReadSide(fields[0], w) || !ReadSide(fields[1], h))
        return false;
    width = w;
    height = h;
    return true;
}

bool ReadCharacterCode(const std::u16string& arguments, uint16_t& code)
{
    int value = 0;
    if (!ParseDecimal(arguments, value) || value < 1 || value > 0xFFFF)
        return false;
    code = static_cast<uint16_t>(value);
    return true;
}

bool ReadFrameAcknowledgement(const std::u16string& arguments, int& frame)
{
    std::vector<std::u16string> fields;
    if (!SplitExactly(arguments, 1, fields))
        return false;
    frame = ParseLeadingInt(fields[0]);
    return true;
}

RemoconLetterbox ComputeLetterbox(bool fullScreen, int screenWidth, int screenHeight, int imageWidth,
                                  int imageHeight)
{
    RemoconLetterbox box;
    if (screenWidth <= 0 || screenHeight <= 0 || imageWidth <= 0 || imageHeight <= 0)
        return box;
    const long long W = screenWidth, H = screenHeight, w = imageWidth, h = imageHeight;
    if (!fullScreen) {
        box.width = imageWidth;
        box.height = imageHeight;
        box.left = static_cast<int>((W - w) / 2);
        box.top = static_cast<int>((H - h) / 2);
    } else if (W * h >= w * H) {
        box.width = static_cast<int>(w * H / h);
        box.height = screenHeight;
        box.left = static_cast<int>((W - box.width) / 2);
    } else {
        box.width = screenWidth;
        box.height = static_cast<int>(h * W / w);
        box.top = static_cast<int>((H - box.height) / 2);
    }
    return box;
}
