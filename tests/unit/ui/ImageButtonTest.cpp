#include "FakeFileData.h"
#include "MessageBoxDriver.h"
#include "framework/BoxCloser.h"
#include "framework/PostOwned.h"
#include "framework/PumpUntil.h"
#include "res/resource.h"
#include "ui/ImageButton.h"

#include <gtest/gtest.h>

namespace {

const UINT kButtonId = 1200;

// The button's owner, as the teacher toolbar is for its file-send button.
class CDropOwner : public CWnd {
public:
    std::vector<std::wstring> m_received;
    afx_msg LRESULT OnFileDropped(WPARAM wParam, LPARAM)
    {
        std::unique_ptr<wchar_t[]> path = AfxTakePosted<wchar_t[]>(wParam);
        m_received.emplace_back(path.get());
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDropOwner, CWnd)
    ON_MESSAGE(WM_FILE_DROPPED, OnFileDropped)
END_MESSAGE_MAP()

struct ButtonOnOwner {
    CDropOwner owner;
    CImageButton button;
    ButtonOnOwner()
    {
        EXPECT_TRUE(owner.CreateHiddenWindow(L"ImageButtonOwner", 300, 200));
        EXPECT_TRUE(button.Create(L"", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 0, 67, 34),
                                  &owner, kButtonId));
    }
    ~ButtonOnOwner() { owner.DestroyWindow(); }
    void Drop(const std::vector<std::wstring>& paths)
    {
        button.SendMessage(WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(paths)));
        PumpPending();
    }
};

std::wstring TempPath()
{
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    return folder;
}

std::wstring MakeTempFile(const wchar_t* name)
{
    const std::wstring path = TempPath() + name;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    CloseHandle(file);
    return path;
}

} // namespace

TEST(ImageButtonTest, DisabledWinsOverCheckedWhichWinsOverHover)
{
    ButtonOnOwner parts;
    CImageButton& button = parts.button;
    EXPECT_EQ(button.GetStyle() & BS_TYPEMASK, static_cast<DWORD>(BS_OWNERDRAW));
    EXPECT_EQ(button.ChooseState(), CImageButton::Normal);

    button.SendMessage(WM_MOUSEHOVER, 0, 0);
    EXPECT_EQ(button.ChooseState(), CImageButton::Hover);
    button.SetChecked();
    EXPECT_EQ(button.GetCheck(), BST_CHECKED);   // kept although the class ignores it for push buttons
    EXPECT_EQ(button.ChooseState(), CImageButton::Pressed);
    button.EnableWindow(FALSE);
    EXPECT_EQ(button.ChooseState(), CImageButton::Disabled);
    button.EnableWindow(TRUE);
    EXPECT_EQ(button.ChooseState(), CImageButton::Pressed);
    button.ClearChecked();
    button.SendMessage(WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(button.ChooseState(), CImageButton::Normal);
}

TEST(ImageButtonTest, TheFirstBitmapGivesTheNaturalSize)
{
    ButtonOnOwner parts;
    CBitmap reference;
    ASSERT_TRUE(reference.LoadBitmap(IDB_OK));
    EXPECT_TRUE(parts.button.SetBitmaps(IDB_OK, IDB_OK_HOVER, IDB_OK, IDB_OK_HOVER));
    EXPECT_EQ(parts.button.GetNaturalSize().cx, reference.GetSize().cx);
    EXPECT_EQ(parts.button.GetNaturalSize().cy, reference.GetSize().cy);
    EXPECT_FALSE(parts.button.SetBitmaps(IDB_OK, 54321, IDB_OK, IDB_OK));
    parts.button.SetTooltipText(L"tip");
}

TEST(ImageButtonTest, OneFileDroppedGoesToTheOwner)
{
    ButtonOnOwner parts;
    const std::wstring file = MakeTempFile(L"lumora_drop_one.txt");
    parts.Drop({file});
    EXPECT_TRUE(PumpUntil([&] { return !parts.owner.m_received.empty(); }));
    ASSERT_EQ(parts.owner.m_received.size(), 1u);
    EXPECT_EQ(parts.owner.m_received[0], file);
    DeleteFileW(file.c_str());
}

TEST(ImageButtonTest, TwoFilesShowTheSystemBoxAndNothingIsSent)
{
    ButtonOnOwner parts;
    BoxCloser closer;
    const std::wstring a = MakeTempFile(L"lumora_drop_a.txt");
    const std::wstring b = MakeTempFile(L"lumora_drop_b.txt");
    parts.Drop({a, b});
    ASSERT_EQ(closer.m_texts.size(), 1u);
    EXPECT_EQ(closer.m_texts[0], LoadText(IDS_DROP_ONE_FILE_ONLY));
    EXPECT_EQ(closer.m_captions[0], LoadText(IDS_FILE_SEND_FAILED_CAPTION));
    EXPECT_TRUE(parts.owner.m_received.empty());
    DeleteFileW(a.c_str());
    DeleteFileW(b.c_str());
}

TEST(ImageButtonTest, AFolderOrAMissingFileIsRefusedWithItsMessage)
{
    ButtonOnOwner parts;
    MessageBoxDriver driver(MessageBoxDriver::ClickButton, IDOK);
    parts.Drop({TempPath()});
    EXPECT_EQ(driver.m_lastText, LoadText(IDS_DROP_FOLDER_NOT_SENDABLE));
    parts.Drop({TempPath() + L"lumora_no_such_file.txt"});
    EXPECT_EQ(driver.m_lastText, LoadText(IDS_DROP_FILE_NOT_SENDABLE));
    EXPECT_EQ(driver.m_boxesSeen, 2);
    EXPECT_TRUE(parts.owner.m_received.empty());
}

TEST(ImageButtonTest, OleFileDragsAreTakenLikeDroppedFilesOnceTheOwnerAllowsDrops)
{
    ButtonOnOwner parts;
    EXPECT_TRUE(parts.button.RegisterDropTarget());
    const std::wstring file = MakeTempFile(L"lumora_drop_ole.txt");
    CFakeFileData source({file});
    COleDataObject data;
    data.Attach(&source, FALSE);
    COleDropInfo info(&data, 0, DROPEFFECT_NONE, DROPEFFECT_COPY, CPoint(5, 5));

    EXPECT_EQ(parts.button.SendMessage(WM_DROP_ENTER, reinterpret_cast<WPARAM>(&info)), DROPEFFECT_NONE);
    parts.button.DragAcceptFiles(TRUE);
    EXPECT_EQ(parts.button.SendMessage(WM_DROP_ENTER, reinterpret_cast<WPARAM>(&info)), DROPEFFECT_COPY);
    EXPECT_EQ(parts.button.SendMessage(WM_DROP_OVER, reinterpret_cast<WPARAM>(&info)), DROPEFFECT_COPY);
    EXPECT_EQ(parts.button.SendMessage(WM_DROP_DROP, reinterpret_cast<WPARAM>(&info)), TRUE);
    EXPECT_TRUE(PumpUntil([&] { return !parts.owner.m_received.empty(); }));
    ASSERT_EQ(parts.owner.m_received.size(), 1u);
    EXPECT_EQ(parts.owner.m_received[0], file);
    DeleteFileW(file.c_str());
}
