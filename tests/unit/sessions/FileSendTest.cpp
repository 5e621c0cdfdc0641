// Sending a file to a student: "[KW00013]" with the overwrite flag, then pieces of at most
// 307200 bytes, each sent when the student acknowledged the one before, ending with an empty
// piece numbered with the piece count; progress and the result go to the transfer window.
#include "StudentFixture.h"

#include "foundation/AppMessages.h"
#include "framework/PumpUntil.h"
#include "sessions/core/UploadPieceTracker.h"

#include <vector>

namespace {

CString WriteTempFile(const CString& folder, const wchar_t* name, const std::vector<BYTE>& bytes)
{
    const CString path = folder + L"\\" + name;
    HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    if (!bytes.empty())
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return path;
}

std::vector<BYTE> Pattern(size_t count)
{
    std::vector<BYTE> bytes(count);
    uint32_t state = 12345;
    for (BYTE& byte : bytes) {
        state = state * 1103515245u + 12345u;
        byte = static_cast<BYTE>(state >> 16);
    }
    return bytes;
}

} // namespace

class FileSendTest : public StudentFixture {
protected:
    // Acts as the student: acknowledges every piece and reassembles the file. False when the
    // pieces broke the rules.
    bool ReceiveFile(std::vector<BYTE>& received, UINT& pieceCount, CString& name)
    {
        EXPECT_EQ(m_peer->ReceiveText(), L"[KW00013]1");
        for (UINT expected = 0;; ++expected) {
            CPacket piece;
            if (!m_peer->Receive(piece) || piece.m_type != 9)
                return false;
            EXPECT_EQ(piece.m_transferKind, 2u);
            EXPECT_EQ(piece.m_pieceNumber, expected);
            EXPECT_LE(piece.m_fileDataLength, kFilePieceSize);
            pieceCount = piece.m_pieceCount;
            name = piece.m_fileName;
            received.insert(received.end(), piece.m_fileData, piece.m_fileData + piece.m_fileDataLength);
            if (!m_peer->SendText(L"[PC00010]"))
                return false;
            if (expected == piece.m_pieceCount)
                return piece.m_fileDataLength == 0;
        }
    }

    void SendAndCheck(size_t size)
    {
        SCOPED_TRACE(size);
        const std::vector<BYTE> content = Pattern(size);
        const CString path = WriteTempFile(m_programFolder, L"lesson.bin", content);
        m_transfer.m_records.clear();
        ASSERT_TRUE(PostCommand(L"[KW00010]1|" + path, reinterpret_cast<LPARAM>(m_transfer.GetSafeHwnd())));

        std::vector<BYTE> received;
        UINT pieceCount = 0;
        CString name;
        ASSERT_TRUE(ReceiveFile(received, pieceCount, name));
        EXPECT_EQ(received, content);
        EXPECT_EQ(pieceCount, FilePieceCount(size));
        EXPECT_EQ(name, L"lesson.bin");

        ASSERT_TRUE(PumpUntil([&] { return m_transfer.Count(WM_TRANSFER_PROGRESS) == 1; }));
        const CRecordingWnd::Record* result = m_transfer.Last(WM_TRANSFER_PROGRESS);
        EXPECT_EQ(result->lParam, static_cast<LPARAM>(kSlotNumber << 16 | 0));
        EXPECT_EQ(result->text, path);
        const std::vector<CRecordingWnd::Record> status = m_transfer.All(WM_TRANSFER_STATUS);
        ASSERT_FALSE(status.empty());
        EXPECT_EQ(status.back().lParam, static_cast<LPARAM>(kSlotNumber << 16 | 100));
    }
};

TEST_F(FileSendTest, FilesOfEverySizeArriveExactly)
{
    for (size_t size : {size_t(0), size_t(1), size_t(kFilePieceSize), size_t(kFilePieceSize + 1),
                        size_t(1000003)})
        SendAndCheck(size);
}

TEST_F(FileSendTest, UnsolicitedAcknowledgementReportsNothing)
{
    SendAndCheck(10);
    const size_t before = m_transfer.m_records.size();
    ASSERT_TRUE(m_peer->SendText(L"[PC00010]"));
    ASSERT_TRUE(m_peer->RoundTrip());
    PumpPending();
    EXPECT_EQ(m_transfer.m_records.size(), before);
    EXPECT_TRUE(m_peer->m_skipped.empty());
}

TEST_F(FileSendTest, MissingFileReportsOpenFailure)
{
    ASSERT_TRUE(PostCommand(L"[KW00010]0|" + m_programFolder + L"\\absent.bin",
                            reinterpret_cast<LPARAM>(m_transfer.GetSafeHwnd())));
    EXPECT_EQ(m_peer->ReceiveText(), L"[KW00013]0");
    ASSERT_TRUE(PumpUntil([&] { return m_transfer.Count(WM_TRANSFER_PROGRESS) == 1; }));
    EXPECT_EQ(m_transfer.Last(WM_TRANSFER_PROGRESS)->lParam, static_cast<LPARAM>(kSlotNumber << 16 | 2));
}

TEST_F(FileSendTest, StopEndsTheSendAndLostConnectionReportsStatusThree)
{
    const CString path = WriteTempFile(m_programFolder, L"long.bin", Pattern(3 * kFilePieceSize));
    ASSERT_TRUE(PostCommand(L"[KW00010]0|" + path, reinterpret_cast<LPARAM>(m_transfer.GetSafeHwnd())));
    EXPECT_EQ(m_peer->ReceiveText(), L"[KW00013]0");
    CPacket piece;
    ASSERT_TRUE(m_peer->Receive(piece));
    ASSERT_EQ(piece.m_pieceNumber, 0u);
    ASSERT_TRUE(PostCommand(L"[KW00012]"));
    EXPECT_EQ(m_peer->ReceiveText(), L"[KW00012]");
    ASSERT_TRUE(m_peer->SendText(L"[PC00010]"));   // late: no further piece
    ASSERT_TRUE(m_peer->RoundTrip());
    EXPECT_TRUE(m_peer->m_skipped.empty());

    // A second send that loses its connection midway.
    ASSERT_TRUE(PostCommand(L"[KW00010]0|" + path, reinterpret_cast<LPARAM>(m_transfer.GetSafeHwnd())));
    EXPECT_EQ(m_peer->ReceiveText(), L"[KW00013]0");
    ASSERT_TRUE(m_peer->Receive(piece));
    m_peer->Close();
    ASSERT_TRUE(WaitThreadEnd(m_threadHandle));
    PumpPending();
    ASSERT_EQ(m_transfer.Count(WM_TRANSFER_PROGRESS), 1);
    EXPECT_EQ(m_transfer.Last(WM_TRANSFER_PROGRESS)->lParam, static_cast<LPARAM>(kSlotNumber << 16 | 3));
}
