// Feeds arbitrary bytes as a whole packet to the packet decoder and every screen packet of a
// remote session it yields (a whole image, type 7, or a tile block, type 12) to the remote
// screen decoder's own steps (DecodeRemoteImage and DecodeRemoteTiles, which CScreenDecoder runs
// with GDI+ and GDI as its canvas), here with a canvas that checks each request: the frame is the
// screen the student reported and within the pixel bound, nothing is made before the picture is
// measured, no picture has more pixels than the screen, the picture decoded is the one measured
// and fits what was made, and every copy lies inside both the picture and the frame.
#include "foundation/core/PacketCodec.h"
#include "sessions/core/RemoteFrameDecoding.h"
#include "sessions/core/RemoteScreen.h"

#include <cstdlib>

namespace {

void Require(bool condition)
{
    if (!condition)
        std::abort();
}

class CheckingCanvas : public IRemoteFrameCanvas {
public:
    CheckingCanvas(const RemoteScreenState& state, const uint8_t* data, size_t size, bool failDecode)
        : m_state(state), m_data(data), m_size(size), m_failDecode(failDecode) {}

    bool EnsureFrame(int width, int height) override
    {
        Require(width == m_state.screenWidth && height == m_state.screenHeight && IsFrameScreenSize(width, height));
        m_frame = true;
        return true;
    }

    bool MakePicture(int width, int height) override
    {
        Require(m_frame && width >= 1 && height >= 1);
        Require(static_cast<long long>(width) * height <= static_cast<long long>(m_state.screenWidth) * m_state.screenHeight);
        m_pictureWidth = width;
        m_pictureHeight = height;
        return true;
    }

    bool DrawJpeg(const uint8_t* jpeg, size_t length, const PictureSize& measured, int x, int y, bool upright) override
    {
        Require(m_pictureWidth > 0 && length > 0);
        // The picture is in the packet, or in the block inflated from it (a buffer of its own).
        Require(jpeg + length <= m_data + m_size || jpeg >= m_data + m_size || jpeg < m_data);
        PictureSize header;
        Require(ReadJpegFrameSize(jpeg, length, header) && header.width == measured.width &&
                header.height == measured.height);
        Require(static_cast<long long>(measured.width) * measured.height <=
                static_cast<long long>(m_state.screenWidth) * m_state.screenHeight);
        Require(x <= 0 && y <= 0);
        const long long right = static_cast<long long>(x) + measured.width;
        const long long bottom = static_cast<long long>(y) + measured.height;
        // A turned pad's picture fits the picture made either way round; any other lands on it.
        Require(upright ? (FitsWithin(measured, m_pictureWidth, m_pictureHeight) ||
                           FitsWithin(measured, m_pictureHeight, m_pictureWidth))
                        : (right > 0 && bottom > 0));
        m_decoded = true;
        return !m_failDecode;
    }

    bool CopyToFrame(int x, int y, int sourceX, int sourceY, int width, int height) override
    {
        Require(m_decoded && width >= 1 && height >= 1 && x >= 0 && y >= 0);
        Require(static_cast<long long>(x) + width <= m_state.screenWidth &&
                static_cast<long long>(y) + height <= m_state.screenHeight);
        Require(sourceX >= 0 && sourceY >= 0 && static_cast<long long>(sourceX) + width <= m_pictureWidth &&
                static_cast<long long>(sourceY) + height <= m_pictureHeight);
        return true;
    }

private:
    RemoteScreenState m_state;
    const uint8_t* m_data;
    size_t m_size;
    bool m_failDecode;
    bool m_frame = false;
    int m_pictureWidth = 0;
    int m_pictureHeight = 0;
    bool m_decoded = false;
};

// Screens a student may report, with the tile size a session works them out to: ordinary ones, a
// pad lying on its side, the largest frame there is, and ones no frame is made for.
const RemoteScreenState kScreens[] = {
    {0, 1366, 768, 0, 683, 192},   {0, 1920, 1080, 1920, 120, 135}, {0, 720, 1280, 720, 180, 160},
    {0, 4096, 2048, 0, 128, 128},  {0, 8192, 8192, 0, 128, 128},    {0, 0, 0, 0, 0, 0},
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    PacketFields packet;
    if (!DecodePacket(data, size, SoftwareTextCipher, packet) ||
        (packet.type != kPacketImage && packet.type != kPacketScreenBlock))
        return 0;
    for (RemoteScreenState state : kScreens) {
        for (int kind = 1; kind <= 3; ++kind) {
            state.clientKind = kind;
            CheckingCanvas canvas(state, data, size, (packet.valueA & 1) != 0);
            uint32_t lastAccepted = packet.valueB;
            const uint32_t before = lastAccepted;
            const RemoteFrameOutcome outcome =
                packet.type == kPacketImage
                    ? DecodeRemoteImage(state, packet.value, packet.rect, packet.image.data, packet.image.size,
                                        lastAccepted, canvas)
                    : DecodeRemoteTiles(state, packet.sequence, packet.rawSize, packet.data.data, packet.data.size,
                                        lastAccepted, canvas);
            // A frame that is not acknowledged changes nothing; an acknowledged one of a PC or a
            // pad that numbers its frames is the last accepted from then on.
            Require(outcome.acknowledge || (lastAccepted == before && !outcome.drawn));
            Require(!outcome.acknowledge || kind == 3 || outcome.sequence == lastAccepted);
        }
    }
    return 0;
}
