// The drawn skin as built into the program and the language module: every bitmap at the size
// the drawing table states, the GIF animations, the icon and the cursors.
#include <gtest/gtest.h>

#include <olectl.h>
#include <ole2.h>

#include <cstring>

#include "ResourceReader.h"
#include "res/resource.h"
#include "skin_table.h"

using namespace restest;

namespace {

struct Bitmap {
    HBITMAP handle = nullptr;
    explicit Bitmap(HBITMAP h) : handle(h) {}
    ~Bitmap() {
        if (handle) ::DeleteObject(handle);
    }
    BITMAP Info() const {
        BITMAP info = {};
        ::GetObjectW(handle, sizeof(info), &info);
        return info;
    }
    COLORREF Pixel(int x, int y) const {
        HDC dc = ::CreateCompatibleDC(nullptr);
        HGDIOBJ old = ::SelectObject(dc, handle);
        COLORREF colour = ::GetPixel(dc, x, y);
        ::SelectObject(dc, old);
        ::DeleteDC(dc);
        return colour;
    }
};

Bitmap LoadDib(unsigned id) {
    return Bitmap(static_cast<HBITMAP>(
        ::LoadImageW(ProgramModule(), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}

// Walks the blocks of a GIF; false when a block runs past the data or is unknown.
struct GifSummary {
    bool valid = false;
    int width = 0, height = 0, frames = 0;
    bool transparency = false, loops = false;
    uint8_t background[3] = {};
};

size_t SkipSubBlocks(const std::vector<uint8_t>& gif, size_t at) {
    while (at < gif.size() && gif[at] != 0) at += 1 + gif[at];
    return at < gif.size() ? at + 1 : gif.size() + 1;
}

GifSummary ReadGif(const std::vector<uint8_t>& gif) {
    GifSummary s;
    if (gif.size() < 13 || std::memcmp(gif.data(), "GIF89a", 6) != 0) return s;
    s.width = gif[6] | (gif[7] << 8);
    s.height = gif[8] | (gif[9] << 8);
    size_t table = (gif[10] & 0x80) ? 3u << ((gif[10] & 7) + 1) : 0;
    if (13 + table > gif.size()) return s;
    if (3u * gif[11] + 3 <= table) std::memcpy(s.background, &gif[13 + 3 * gif[11]], 3);
    size_t at = 13 + table;
    while (at < gif.size()) {
        uint8_t kind = gif[at];
        if (kind == 0x3B) {
            s.valid = at + 1 == gif.size();
            return s;
        }
        if (kind == 0x21 && at + 2 < gif.size()) {
            uint8_t label = gif[at + 1];
            if (label == 0xF9 && at + 7 < gif.size()) s.transparency |= (gif[at + 3] & 1) != 0;
            if (label == 0xFF && at + 14 <= gif.size()) s.loops |= std::memcmp(&gif[at + 3], "NETSCAPE2.0", 11) == 0;
            at = SkipSubBlocks(gif, at + 2);
        } else if (kind == 0x2C && at + 10 < gif.size()) {
            size_t local = (gif[at + 9] & 0x80) ? 3u << ((gif[at + 9] & 7) + 1) : 0;
            at = SkipSubBlocks(gif, at + 10 + local + 1);
            ++s.frames;
        } else {
            return s;
        }
    }
    return s;
}

}  // namespace

TEST(Skin, EveryBitmapLoadsAtTheSizeTheTableStates) {
    for (const SkinResource& entry : kSkinBitmaps) {
        SCOPED_TRACE(entry.id);
        Bitmap dib = LoadDib(entry.id);
        ASSERT_NE(dib.handle, nullptr);
        BITMAP info = dib.Info();
        EXPECT_EQ(info.bmWidth, entry.width);
        EXPECT_EQ(info.bmHeight, entry.height);
        EXPECT_EQ(info.bmBitsPixel, entry.extra);
        Bitmap ddb(::LoadBitmapW(ProgramModule(), MAKEINTRESOURCEW(entry.id)));
        ASSERT_NE(ddb.handle, nullptr);
        EXPECT_EQ(ddb.Info().bmWidth, entry.width);
        EXPECT_EQ(ddb.Info().bmHeight, entry.height);
    }
}

TEST(Skin, TheProgramHoldsExactlyTheTablesBitmaps) {
    std::set<unsigned> listed;
    for (const SkinResource& entry : kSkinBitmaps) listed.insert(entry.id);
    EXPECT_EQ(ResourceIds(ProgramModule(), RT_BITMAP), listed);
}

TEST(Skin, TheLanguageModuleCarriesTheSameBitmaps) {
    HMODULE english = LoadEnglishModule();
    ASSERT_NE(english, nullptr);
    EXPECT_EQ(ResourceIds(english, RT_BITMAP), ResourceIds(ProgramModule(), RT_BITMAP));
    for (const SkinResource& entry : kSkinBitmaps) {
        std::vector<uint8_t> bytes = ResourceBytes(english, RT_BITMAP, entry.id);
        ASSERT_GE(bytes.size(), sizeof(BITMAPINFOHEADER)) << entry.id;
        BITMAPINFOHEADER header;
        std::memcpy(&header, bytes.data(), sizeof(header));
        EXPECT_EQ(header.biWidth, entry.width) << entry.id;
        EXPECT_EQ(header.biHeight, entry.height) << entry.id;
    }
    ::FreeLibrary(english);
}

TEST(Skin, ColourKeysAndMasksSurroundWhatTheyCutOut) {
    // Image lists made with mask colour RGB(250,250,250) show only the check boxes.
    for (unsigned id : {IDB_GROUP_CHECK_IMAGES, IDB_FT_CHECK_IMAGES}) {
        Bitmap strip = LoadDib(id);
        BITMAP info = strip.Info();
        int cell = info.bmWidth / 2;
        for (int image = 0; image < 2; ++image) {
            EXPECT_EQ(strip.Pixel(image * cell, 0), RGB(250, 250, 250)) << id;
            EXPECT_NE(strip.Pixel(image * cell + cell / 2, info.bmHeight / 2), RGB(250, 250, 250)) << id;
        }
    }
    // The control bar and its round buttons sit on the bar's colour key RGB(255,255,250).
    for (unsigned id : {IDB_BAR_BACK_LAYER, IDB_BAR_SOUND, IDB_BAR_CLOSE_HOVER, IDB_BAR_TOUCH_PRESSED}) {
        Bitmap picture = LoadDib(id);
        BITMAP info = picture.Info();
        EXPECT_EQ(picture.Pixel(0, 0), RGB(255, 255, 250)) << id;
        EXPECT_EQ(picture.Pixel(info.bmWidth - 1, info.bmHeight - 1), RGB(255, 255, 250)) << id;
        EXPECT_NE(picture.Pixel(info.bmWidth / 2, info.bmHeight / 2), RGB(255, 255, 250)) << id;
    }
}

TEST(Skin, GifAnimationsAreWholeGif89aFilesWithTheirFrames) {
    for (const SkinResource& entry : kSkinGifs) {
        SCOPED_TRACE(entry.id);
        GifSummary gif = ReadGif(ResourceBytes(ProgramModule(), L"GIF", entry.id));
        EXPECT_TRUE(gif.valid);
        EXPECT_EQ(gif.width, entry.width);
        EXPECT_EQ(gif.height, entry.height);
        EXPECT_EQ(gif.frames, entry.extra);
        EXPECT_FALSE(gif.transparency);
    }
    // The random pick plays once over its colour key; the login spinner loops.
    GifSummary pick = ReadGif(ResourceBytes(ProgramModule(), L"GIF", IDR_GIF_RANDOM_PICK));
    EXPECT_FALSE(pick.loops);
    EXPECT_EQ(pick.background[0], 71);
    EXPECT_EQ(pick.background[1], 234);
    EXPECT_EQ(pick.background[2], 72);
    EXPECT_TRUE(ReadGif(ResourceBytes(ProgramModule(), L"GIF", IDR_GIF_LOGIN_SPINNER)).loops);
}

TEST(Skin, GifsDecodeWithThePlatformPictureLoader) {
    // The picture control loads GIF data through OLE, from a stream over global memory.
    for (const SkinResource& entry : kSkinGifs) {
        SCOPED_TRACE(entry.id);
        std::vector<uint8_t> gif = ResourceBytes(ProgramModule(), L"GIF", entry.id);
        HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, gif.size());
        ASSERT_NE(memory, nullptr);
        std::memcpy(::GlobalLock(memory), gif.data(), gif.size());
        ::GlobalUnlock(memory);
        IStream* stream = nullptr;
        ASSERT_EQ(::CreateStreamOnHGlobal(memory, TRUE, &stream), S_OK);
        IPicture* picture = nullptr;
        HRESULT loaded = ::OleLoadPicture(stream, static_cast<LONG>(gif.size()), FALSE, IID_IPicture,
                                          reinterpret_cast<void**>(&picture));
        stream->Release();
        ASSERT_EQ(loaded, S_OK);
        OLE_XSIZE_HIMETRIC width = 0;
        OLE_YSIZE_HIMETRIC height = 0;
        picture->get_Width(&width);
        picture->get_Height(&height);
        picture->Release();
        HDC screen = ::GetDC(nullptr);
        EXPECT_EQ(::MulDiv(width, ::GetDeviceCaps(screen, LOGPIXELSX), 2540), entry.width);
        EXPECT_EQ(::MulDiv(height, ::GetDeviceCaps(screen, LOGPIXELSY), 2540), entry.height);
        ::ReleaseDC(nullptr, screen);
    }
}

TEST(Skin, GifWalkRefusesCutAndForeignData) {
    std::vector<uint8_t> gif = ResourceBytes(ProgramModule(), L"GIF", IDR_GIF_LOGIN_SPINNER);
    ASSERT_GT(gif.size(), 100u);
    EXPECT_FALSE(ReadGif(std::vector<uint8_t>(gif.begin(), gif.end() - 40)).valid);
    gif[4] = '7';
    EXPECT_FALSE(ReadGif(gif).valid);
}

TEST(Skin, ProgramIconAndCursorsLoad) {
    for (int size : {16, 32, 48}) {
        HICON icon = static_cast<HICON>(
            ::LoadImageW(ProgramModule(), MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_ICON, size, size, 0));
        ASSERT_NE(icon, nullptr) << size;
        ICONINFO info = {};
        ASSERT_TRUE(::GetIconInfo(icon, &info));
        BITMAP colour = {};
        ::GetObjectW(info.hbmColor, sizeof(colour), &colour);
        EXPECT_EQ(colour.bmWidth, size);
        ::DeleteObject(info.hbmColor);
        ::DeleteObject(info.hbmMask);
        ::DestroyIcon(icon);
    }
    for (const SkinCursor& entry : kSkinCursors) {
        SCOPED_TRACE(entry.id);
        HCURSOR cursor = static_cast<HCURSOR>(::LoadImageW(ProgramModule(), MAKEINTRESOURCEW(entry.id), IMAGE_CURSOR,
                                                           entry.size, entry.size, 0));
        ASSERT_NE(cursor, nullptr);
        ICONINFO info = {};
        ASSERT_TRUE(::GetIconInfo(cursor, &info));
        EXPECT_FALSE(info.fIcon);
        EXPECT_EQ(static_cast<int>(info.xHotspot), entry.hotspotX);
        EXPECT_EQ(static_cast<int>(info.yHotspot), entry.hotspotY);
        if (info.hbmColor) ::DeleteObject(info.hbmColor);
        ::DeleteObject(info.hbmMask);
        ::DestroyCursor(cursor);
    }
}
