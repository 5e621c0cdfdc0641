#include "activities/screenshare/ShareBlockEncoder.h"

#include "activities/screenshare/core/StripBlock.h"

namespace {

int64_t Now()
{
    LARGE_INTEGER counter;
    ::QueryPerformanceCounter(&counter);
    return counter.QuadPart;
}

// Adds the time since start to the field, when times are asked for.
class CStageClock {
public:
    CStageClock(ShareStageTimes* times, int64_t ShareStageTimes::*field)
        : m_times(times), m_field(field), m_start(times ? Now() : 0) {}
    ~CStageClock()
    {
        if (m_times) m_times->*m_field += Now() - m_start;
    }

private:
    ShareStageTimes* m_times;
    int64_t ShareStageTimes::*m_field;
    int64_t m_start;
};

} // namespace

bool CShareBlockEncoder::Setup(int canvasWidth, int canvasHeight, int tileFloor)
{
    m_grid = MakeTileGrid(canvasWidth, canvasHeight, tileFloor);
    if (m_grid.Count() <= 0)
        return false;
    m_tiles.clear();
    int index = 0;
    for (const ShareRect& rect : m_grid.Tiles()) {
        m_tiles.push_back(std::make_unique<CBroadPartData>(index++, rect.left, rect.top, rect.right, rect.bottom));
        if (!m_tiles.back()->m_current.GetBits() || !m_tiles.back()->m_previous.GetBits())
            return false;
    }
    const int perStrip = std::min(m_grid.Count(), MaxTilesPerStrip(m_grid.tileWidth));
    m_strip.Create(perStrip * m_grid.tileWidth, m_grid.tileHeight, 32);
    m_payload.resize(kStripPayloadStart);
    return m_strip.GetBits() && m_jpegEncoder.Open();
}

std::vector<size_t> CShareBlockEncoder::Collect(HDC canvas, bool everything, bool& changed, ShareStageTimes* times)
{
    CStageClock clock(times, &ShareStageTimes::compare);
    std::vector<size_t> strip;
    strip.reserve(m_tiles.size());
    changed = false;
    // Read in place when the canvas is a DIB section: no GDI call per tile.
    const ShareCanvasPixels pixels = ShareCanvasPixels::Of(canvas);
    for (size_t i = 0; i < m_tiles.size(); ++i) {
        const bool differs = pixels.bits ? m_tiles[i]->TakeFrom(pixels) : m_tiles[i]->TakeFrom(canvas);
        changed = changed || differs;
        if (differs || !m_tiles[i]->m_sent || everything)
            strip.push_back(i);
    }
    return strip;
}

size_t CShareBlockEncoder::Encode(const std::vector<size_t>& tiles, int quality, const ShareBlockSink& sink,
                                  ShareStageTimes* times)
{
    size_t sent = 0;
    for (const StripRun& run : SplitStrip(tiles.size(), m_grid.tileWidth))
        if (EncodeRun(tiles, run.begin, run.end, quality, sink, times))
            sent += run.end - run.begin;
    return sent;
}

bool CShareBlockEncoder::EncodeRun(const std::vector<size_t>& tiles, size_t begin, size_t end, int quality,
                                   const ShareBlockSink& sink, ShareStageTimes* times)
{
    size_t jpegLength = 0;
    {
        CStageClock clock(times, &ShareStageTimes::encode);
        m_indexes.clear();
        int x = 0;
        for (size_t k = begin; k < end; ++k, x += m_grid.tileWidth) {
            const CBroadPartData& tile = *m_tiles[tiles[k]];
            tile.CopyCurrentTo(m_strip, x);
            m_indexes.push_back(static_cast<uint32_t>(tile.m_index));
        }
        jpegLength = m_jpegEncoder.Encode(m_strip, x, quality, m_jpeg);
    }
    if (jpegLength == 0)
        return false;
    size_t compressed = 0, total = 0;
    {
        CStageClock clock(times, &ShareStageTimes::compress);
        total = BuildStripPayload(m_indexes.data(), m_indexes.size(), m_jpeg.data(), jpegLength, m_payload);
        if (total)
            compressed = CompressStripPayload(m_payload.data(), total, m_compressed);
    }
    if (compressed == 0)
        return false;
    for (size_t k = begin; k < end; ++k)
        m_tiles[tiles[k]]->MarkSent();
    CStageClock clock(times, &ShareStageTimes::deliver);
    if (times) times->blockBytes += compressed;
    sink(m_compressed.data(), static_cast<uint32_t>(total), static_cast<uint32_t>(compressed));
    return true;
}
