#include "framework/WinApp.h"

#include "framework/AfxMessageBox.h"
#include "framework/CommandLineInfo.h"
#include "framework/DocTemplate.h"

#include <shellapi.h>
#include <atomic>
#include <vector>

namespace {

std::atomic<CWinApp*> s_theApp{nullptr};

CString ExecutableBaseName()
{
    std::vector<wchar_t> path(MAX_PATH);
    for (;;) {
        DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return CString(L"App");
        if (length < path.size()) break;
        path.resize(path.size() * 2);
    }
    CString name(path.data());
    name = name.Mid(name.ReverseFind(L'\\') + 1);
    int dot = name.ReverseFind(L'.');
    return dot > 0 ? name.Left(dot) : name;
}

// The title in the program's own string table, else the executable's file name.
CString DefaultAppName()
{
    const wchar_t* title = nullptr;
    const int length = LoadStringW(GetModuleHandleW(nullptr), AFX_IDS_APP_TITLE, reinterpret_cast<LPWSTR>(&title), 0);
    if (length > 0 && title) return CString(title, length);
    return ExecutableBaseName();
}

// Reads a string value whatever terminator the writer left (or did not leave).
bool QueryStringValue(HKEY key, const wchar_t* entry, CString& value)
{
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(key, entry, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return false;
    if (type != REG_SZ && type != REG_EXPAND_SZ) return false;
    std::vector<wchar_t> data((size + sizeof(wchar_t) - 1) / sizeof(wchar_t) + 1, L'\0');
    DWORD capacity = static_cast<DWORD>((data.size() - 1) * sizeof(wchar_t));
    if (RegQueryValueExW(key, entry, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &capacity) != ERROR_SUCCESS)
        return false;
    data[capacity / sizeof(wchar_t)] = L'\0';
    value = data.data();
    return true;
}

} // namespace

IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

CWinApp::CWinApp(const wchar_t* appName)
    : m_appName(appName && *appName ? CString(appName) : DefaultAppName())
{
    m_pszAppName = m_appName.GetString();
    m_bAutoDelete = FALSE;   // a global object, never deleted
    CWinApp* expected = nullptr;
    s_theApp.compare_exchange_strong(expected, this);
}

CWinApp::~CWinApp()
{
    for (CDocTemplate* docTemplate : m_docTemplates)
        delete docTemplate;
    m_docTemplates.clear();
    CWinApp* expected = this;
    s_theApp.compare_exchange_strong(expected, nullptr);
}

CWinApp* AfxGetApp()
{
    return s_theApp.load();
}

void CWinApp::SetRegistryKey(const wchar_t* registryKey)
{
    m_registryKey = registryKey ? registryKey : L"";
    m_pszRegistryKey = m_registryKey.IsEmpty() ? nullptr : m_registryKey.GetString();
}

CString CWinApp::AppKeyPath() const
{
    return L"Software\\" + m_registryKey + L"\\" + m_appName;
}

HKEY CWinApp::GetAppRegistryKey() const
{
    if (m_registryKey.IsEmpty()) return nullptr;
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, AppKeyPath(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_READ | KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return nullptr;
    return key;
}

HKEY CWinApp::GetSectionKey(const wchar_t* section) const
{
    if (!section || !*section) return nullptr;
    HKEY appKey = GetAppRegistryKey();
    if (!appKey) return nullptr;
    HKEY key = nullptr;
    LONG result = RegCreateKeyExW(appKey, section, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                  KEY_READ | KEY_WRITE, nullptr, &key, nullptr);
    RegCloseKey(appKey);
    return result == ERROR_SUCCESS ? key : nullptr;
}

// Reading never creates keys: a profile nobody wrote yet stays absent.
HKEY CWinApp::OpenSectionForRead(const wchar_t* section) const
{
    if (m_registryKey.IsEmpty() || !section || !*section) return nullptr;
    HKEY key = nullptr;
    CString path = AppKeyPath() + L"\\" + section;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return nullptr;
    return key;
}

CString CWinApp::GetProfileString(const wchar_t* section, const wchar_t* entry,
                                  const wchar_t* defaultValue) const
{
    CString value(defaultValue);
    if (!entry) return value;
    HKEY key = OpenSectionForRead(section);
    if (!key) return value;
    CString stored;
    if (QueryStringValue(key, entry, stored)) value = stored;
    RegCloseKey(key);
    return value;
}

BOOL CWinApp::WriteProfileString(const wchar_t* section, const wchar_t* entry, const wchar_t* value)
{
    if (!section || !*section) return FALSE;
    if (!entry) {
        // No entry: the whole section goes.
        HKEY appKey = GetAppRegistryKey();
        if (!appKey) return FALSE;
        LONG result = RegDeleteKeyW(appKey, section);
        RegCloseKey(appKey);
        return result == ERROR_SUCCESS;
    }
    HKEY key = GetSectionKey(section);
    if (!key) return FALSE;
    LONG result;
    if (!value) {
        result = RegDeleteValueW(key, entry);
    } else {
        DWORD size = static_cast<DWORD>((wcslen(value) + 1) * sizeof(wchar_t));
        result = RegSetValueExW(key, entry, 0, REG_SZ, reinterpret_cast<const BYTE*>(value), size);
    }
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

UINT CWinApp::GetProfileInt(const wchar_t* section, const wchar_t* entry, int defaultValue) const
{
    UINT value = static_cast<UINT>(defaultValue);
    if (!entry) return value;
    HKEY key = OpenSectionForRead(section);
    if (!key) return value;
    DWORD type = 0;
    DWORD data = 0;
    DWORD size = sizeof(data);
    if (RegQueryValueExW(key, entry, nullptr, &type, reinterpret_cast<BYTE*>(&data), &size) == ERROR_SUCCESS &&
        type == REG_DWORD && size == sizeof(data))
        value = data;
    RegCloseKey(key);
    return value;
}

BOOL CWinApp::WriteProfileInt(const wchar_t* section, const wchar_t* entry, int value)
{
    if (!entry) return FALSE;
    HKEY key = GetSectionKey(section);
    if (!key) return FALSE;
    DWORD data = static_cast<DWORD>(value);
    LONG result = RegSetValueExW(key, entry, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof(data));
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

int CWinApp::Run()
{
    // Without a main window nothing would ever end the loop.
    if (!m_pMainWnd)
        PostQuitMessage(0);
    return CWinThread::Run();
}

int CWinApp::ExitInstance()
{
    return CWinThread::ExitInstance();
}

void CWinApp::AddDocTemplate(CDocTemplate* docTemplate)
{
    if (docTemplate)
        m_docTemplates.push_back(docTemplate);
}

CDocument* CWinApp::OnFileNew()
{
    return m_docTemplates.empty() ? nullptr : m_docTemplates.front()->OpenDocumentFile(nullptr);
}

CDocument* CWinApp::OpenDocumentFile(LPCWSTR path)
{
    return m_docTemplates.empty() ? nullptr : m_docTemplates.front()->OpenDocumentFile(path);
}

void CWinApp::CloseAllDocuments(BOOL endSession)
{
    for (CDocTemplate* docTemplate : m_docTemplates)
        docTemplate->CloseAllDocuments(endSession);
}

void CWinApp::ParseCommandLine(CCommandLineInfo& info)
{
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!arguments)
        return;
    for (int i = 1; i < count; ++i) {
        const wchar_t* argument = arguments[i];
        const BOOL flag = argument[0] == L'-' || argument[0] == L'/';
        info.ParseParam(flag ? argument + 1 : argument, flag, i == count - 1);
    }
    LocalFree(arguments);
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& info)
{
    switch (info.m_nShellCommand) {
    case CCommandLineInfo::FileNothing:
        return TRUE;
    case CCommandLineInfo::FileNew:
    case CCommandLineInfo::FileDDE:
        return OnFileNew() != nullptr && m_pMainWnd != nullptr;
    case CCommandLineInfo::FileOpen:
    case CCommandLineInfo::FilePrint:
    case CCommandLineInfo::FilePrintTo:
        return OpenDocumentFile(info.m_strFileName) != nullptr && m_pMainWnd != nullptr;
    case CCommandLineInfo::AppRegister:
        RegisterShellFileTypes(FALSE);
        return FALSE;   // registered; nothing to run
    case CCommandLineInfo::AppUnregister:
        return FALSE;
    }
    return FALSE;
}

namespace {

bool SetClassesValue(const CString& subKey, const CString& value)
{
    HKEY key = nullptr;
    const CString path = L"Software\\Classes\\" + subKey;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE,
                        nullptr, &key, nullptr) != ERROR_SUCCESS)
        return false;
    const DWORD size = static_cast<DWORD>((value.GetLength() + 1) * sizeof(wchar_t));
    const bool written = RegSetValueExW(key, nullptr, 0, REG_SZ,
                                        reinterpret_cast<const BYTE*>(value.GetString()),
                                        size) == ERROR_SUCCESS;
    RegCloseKey(key);
    return written;
}

CString ModulePath()
{
    std::vector<wchar_t> path(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return CString();
        if (length < path.size())
            return CString(path.data(), static_cast<int>(length));
        path.resize(path.size() * 2);
    }
}

} // namespace

void CWinApp::RegisterShellFileTypes(BOOL)
{
    const CString exe = ModulePath();
    if (exe.IsEmpty())
        return;
    for (CDocTemplate* docTemplate : m_docTemplates) {
        CString extension;
        CString typeId;
        CString typeName;
        if (!docTemplate->GetDocString(typeId, CDocTemplate::regFileTypeId))
            continue;
        if (!docTemplate->GetDocString(typeName, CDocTemplate::regFileTypeName))
            typeName = typeId;
        SetClassesValue(typeId, typeName);
        SetClassesValue(typeId + L"\\DefaultIcon", exe + L",0");
        SetClassesValue(typeId + L"\\shell\\open\\command", L"\"" + exe + L"\" \"%1\"");
        if (docTemplate->GetDocString(extension, CDocTemplate::filterExt) && extension[0] == L'.')
            SetClassesValue(extension, typeId);
    }
}

HICON CWinApp::LoadIcon(UINT id) const
{
    HICON icon = ::LoadIconW(AfxGetResourceHandle(), MAKEINTRESOURCEW(id));
    return icon ? icon : ::LoadIconW(AfxGetInstanceHandle(), MAKEINTRESOURCEW(id));
}

int AfxWinMain(HINSTANCE instance, LPWSTR commandLine, int showCommand)
{
    CWinApp* app = AfxGetApp();
    if (!app)
        return -1;
    app->m_hInstance = instance;
    app->m_lpCmdLine = commandLine;
    app->m_nCmdShow = showCommand;
    CWinThread::SetCurrent(app);
    // An exception here is not caught: the terminate handler turns it into a crash report.
    int result;
    if (app->InitApplication() && app->InitInstance())
        result = app->Run();
    else
        result = app->ExitInstance();
    app->DiscardQueuedMessages();
    AfxTermThread();
    AfxOleTermThread();
    return result;
}
