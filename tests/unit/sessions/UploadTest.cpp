// Files students upload (type 9, kind 3): written in order into the day's folder under a name
// that cannot leave it, numbered instead of overwritten, and refused piece by piece otherwise.
#include "StudentFixture.h"

#include "framework/Time.h"
#include "sessions/core/UploadPieceTracker.h"

#include <string>
#include <vector>

namespace {

CPacket UploadPiece(UINT count, UINT number, const wchar_t* name, const std::vector<BYTE>& bytes)
{
    return CPacket(3, count, number, CString(name), bytes.empty() ? nullptr : bytes.data(),
                   static_cast<UINT>(bytes.size()));
}

std::vector<BYTE> Bytes(size_t count, BYTE seed)
{
    std::vector<BYTE> bytes(count);
    for (size_t i = 0; i < count; ++i)
        bytes[i] = static_cast<BYTE>(seed + i * 7);
    return bytes;
}

std::vector<BYTE> ReadFileBytes(const CString& path)
{
    std::vector<BYTE> bytes;
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return bytes;
    LARGE_INTEGER size = {};
    GetFileSizeEx(file, &size);
    bytes.resize(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    if (!bytes.empty())
        ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    return bytes;
}

size_t CountFiles(const CString& folder)
{
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW(folder + L"\\*", &data);
    if (find == INVALID_HANDLE_VALUE)
        return 0;
    size_t count = 0;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            ++count;
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return count;
}

} // namespace

class UploadTest : public StudentFixture {
protected:
    CString DayFolder() const
    {
        return m_programFolder + L"\\StudentFile\\" + CTime::GetCurrentTime().Format(L"%Y-%m-%d");
    }
    CString Answer() { return m_peer->ReceiveText(); }
};

TEST_F(UploadTest, PiecesAreWrittenInOrderAndEachIsAcknowledged)
{
    const std::vector<BYTE> first = Bytes(kFilePieceSize, 1);
    const std::vector<BYTE> second = Bytes(1000, 9);
    ASSERT_TRUE(m_peer->Send(UploadPiece(2, 0, L"essay.txt", first)));
    EXPECT_EQ(Answer(), L"[KW00105]1");
    ASSERT_TRUE(m_peer->Send(UploadPiece(2, 1, L"essay.txt", second)));
    EXPECT_EQ(Answer(), L"[KW00105]1");
    ASSERT_TRUE(m_peer->Send(UploadPiece(2, 2, L"essay.txt", {})));
    EXPECT_EQ(Answer(), L"[KW00105]1");

    std::vector<BYTE> expected = first;
    expected.insert(expected.end(), second.begin(), second.end());
    EXPECT_EQ(ReadFileBytes(DayFolder() + L"\\essay.txt"), expected);
}

TEST_F(UploadTest, HostileNamesStayInTheDaysFolderOrAreRefused)
{
    ASSERT_TRUE(m_peer->Send(UploadPiece(0, 0, L"..\\..\\..\\evil.txt", {})));
    EXPECT_EQ(Answer(), L"[KW00105]1");
    ASSERT_TRUE(m_peer->Send(UploadPiece(0, 0, L"C:/Windows/win.ini", {})));
    EXPECT_EQ(Answer(), L"[KW00105]1");
    for (const wchar_t* name : {L"CON", L"nul.txt", L"..", L"a:b", L"dots...", L""}) {
        ASSERT_TRUE(m_peer->Send(UploadPiece(0, 0, name, {})));
        EXPECT_EQ(Answer(), L"[KW00105]0") << name;
    }
    EXPECT_NE(GetFileAttributesW(DayFolder() + L"\\evil.txt"), INVALID_FILE_ATTRIBUTES);
    EXPECT_NE(GetFileAttributesW(DayFolder() + L"\\win.ini"), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(CountFiles(DayFolder()), 2u);
    EXPECT_EQ(CountFiles(m_programFolder), 0u);
}

TEST_F(UploadTest, SameNameTheSameDayIsNumberedNotOverwritten)
{
    const std::vector<BYTE> one = Bytes(10, 1);
    const std::vector<BYTE> two = Bytes(20, 2);
    ASSERT_TRUE(m_peer->Send(UploadPiece(1, 0, L"photo.jpg", one)));
    EXPECT_EQ(Answer(), L"[KW00105]1");
    ASSERT_TRUE(m_peer->Send(UploadPiece(1, 1, L"photo.jpg", {})));
    EXPECT_EQ(Answer(), L"[KW00105]1");
    ASSERT_TRUE(m_peer->Send(UploadPiece(1, 0, L"photo.jpg", two)));
    EXPECT_EQ(Answer(), L"[KW00105]1");
    ASSERT_TRUE(m_peer->Send(UploadPiece(1, 1, L"photo.jpg", {})));
    EXPECT_EQ(Answer(), L"[KW00105]1");
    EXPECT_EQ(ReadFileBytes(DayFolder() + L"\\photo.jpg"), one);
    EXPECT_EQ(ReadFileBytes(DayFolder() + L"\\photo (2).jpg"), two);
}

TEST_F(UploadTest, OversizedOrOutOfOrderPiecesAreRefused)
{
    ASSERT_TRUE(m_peer->Send(UploadPiece(3, 0, L"big.bin", Bytes(kFilePieceSize + 1, 3))));
    EXPECT_EQ(Answer(), L"[KW00105]0");
    ASSERT_TRUE(m_peer->Send(UploadPiece(3, 1, L"big.bin", Bytes(5, 3))));   // nothing open
    EXPECT_EQ(Answer(), L"[KW00105]0");
    ASSERT_TRUE(m_peer->Send(UploadPiece(3, 0, L"skip.bin", Bytes(5, 3))));
    EXPECT_EQ(Answer(), L"[KW00105]1");
    ASSERT_TRUE(m_peer->Send(UploadPiece(3, 2, L"skip.bin", Bytes(5, 3))));  // piece 1 skipped
    EXPECT_EQ(Answer(), L"[KW00105]0");
    // Teacher-to-student pieces coming back are no upload: no answer at all.
    ASSERT_TRUE(m_peer->Send(CPacket(2, 0, 0, CString(L"x"), nullptr, 0)));
    ASSERT_TRUE(m_peer->RoundTrip());
    EXPECT_TRUE(m_peer->m_skipped.empty());
}
