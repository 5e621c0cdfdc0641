#include "view/core/LoginServerTexts.h"

#include "sessions/core/ActivityCommands.h"
#include "sessions/core/CommandText.h"
#include "sessions/core/TeacherCommands.h"
#include "sessions/core/WireTags.h"

#include <vector>

namespace {

struct TagKind {
    const char16_t* tag;
    LoginServerText kind;
};

const TagKind kLoginServerTags[] = {
    {kTagServerAlive, LoginServerText::Alive},
    {kTagLoginResult, LoginServerText::LoginResult},
    {kTagSeatsGranted, LoginServerText::SeatsGranted},
    {kTagDuplicateLogin, LoginServerText::DuplicateLogin},
    {kTagLoggedOutElsewhere, LoginServerText::LoggedOutElsewhere},
};

const char16_t kNotRunningPrefix[] = u"실행중인 ";
const char16_t kNotRunningSuffix[] = u"가 없습니다.\n선생님 ID를 확인해주세요.";

void RemoveAll(std::u16string& text, const std::u16string& part)
{
    for (size_t at = text.find(part); at != std::u16string::npos; at = text.find(part, at))
        text.erase(at, part.size());
}

std::u16string Number(long long value)
{
    return DecimalText(value);
}

} // namespace

LoginServerText ClassifyLoginServerText(const std::u16string& text)
{
    for (const TagKind& entry : kLoginServerTags) {
        if (IsTag(text, entry.tag)) return entry.kind;
    }
    return LoginServerText::Other;
}

bool ReadLoginResult(const std::u16string& arguments, LoginResult& answer)
{
    std::vector<std::u16string> fields;
    const size_t count = SplitFields(arguments, u',', 6, fields);
    if (count != 2 && count != 6) return false;
    answer.result = fields[0];
    answer.message = fields[1];
    return true;
}

bool ReadSeatsGranted(const std::u16string& arguments, int& seats)
{
    std::vector<std::u16string> fields;
    int value = 0;
    if (!SplitExactly(arguments, 5, fields) || !ParseDecimal(fields[2], value)) return false;
    if (value < 0 || value > kMaxSeatCount) return false;   // 0 seats: an empty grid
    seats = value;
    return true;
}

bool ReadDuplicateLogin(const std::u16string& arguments, DuplicateLoginNotice& notice)
{
    std::vector<std::u16string> fields;
    if (!SplitExactly(arguments, 4, fields)) return false;
    notice.described = fields[0] == u"1";
    notice.teacherId = fields[1];
    notice.address = fields[2];
    return true;
}

bool ReadLoggedOutElsewhere(const std::u16string& arguments, LoggedOutNotice& notice)
{
    std::vector<std::u16string> fields;
    if (!SplitExactly(arguments, 3, fields)) return false;
    notice.endsProgram = fields[0] == u"1";
    notice.address = fields[1];
    return true;
}

std::u16string LoginRequestCommand(const ConsoleIdentity& console)
{
    return CommandWith(kTagLoginRequest, {Number(kTeacherConsoleKind), Number(console.sessionTag), console.teacherId,
                                      console.siteText, console.localAddress, console.studentPort,
                                      kConsoleVersion});
}

std::u16string LoginKeepAliveCommand(int slotCount)
{
    return kTagLoginKeepAlive + Number(slotCount);
}

std::u16string TakeOverCommand(const ConsoleIdentity& console)
{
    return TakeOverLoginCommand(console.teacherId, console.siteText, console.localAddress, console.studentPort);
}

ServerMessage ClassifyServerMessage(const std::u16string& message, std::u16string& name)
{
    name.clear();
    if (message == u"로그인 정보를 찾는 동안 오류가 발생했습니다.") return ServerMessage::LookupError;
    if (message == u"일치하는 선생님 정보를 찾을 수 없습니다.") return ServerMessage::NoSuchTeacher;
    if (message == u"로그인 서버와 Lumora 종류가 다릅니다.\n프로그램을 확인해 주세요.")
        return ServerMessage::KindMismatch;
    if (message.find(kNotRunningPrefix) != std::u16string::npos) {
        name = message;
        RemoveAll(name, kNotRunningPrefix);
        RemoveAll(name, kNotRunningSuffix);
        return ServerMessage::NotRunning;
    }
    return ServerMessage::AsIs;
}

unsigned ConnectErrorTextId(int socketError)
{
    switch (socketError) {
    case 10014: return 654;
    case 10022: return 655;
    case 10024: return 657;
    case 10038: return 661;
    case 10039: return 653;
    case 10047: return 652;
    case kAddressInUseError: return 650;
    case 10049: return 651;
    case 10051: return 658;
    case 10055: return 659;
    case 10056: return 656;
    case 10057: return 660;
    case 10060: return 662;
    default: return 0;
    }
}
