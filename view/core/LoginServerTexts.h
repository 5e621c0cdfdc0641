// The texts the console exchanges with the login server ("Lumora Login Server"): the requests
// tagged "[UT" it sends, and readers of the answers tagged "[UR" it receives. Each reader takes
// the arguments (what follows the nine-character tag) and returns false for an answer of the
// wrong shape, which the console treats as malformed.
#pragma once

#include <cstdint>
#include <string>

// A class larger than this is not a classroom: a seat count above it (or below 1) is malformed,
// and the console never allocates slot records for it.
constexpr int kMaxSeatCount = 1000;
// The console kind the login request announces.
constexpr int kTeacherConsoleKind = 3;

enum class LoginServerText {
    Alive,              // [UR00000]
    LoginResult,        // [UR00001]
    SeatsGranted,       // [UR00002]
    DuplicateLogin,     // [UR00020]
    LoggedOutElsewhere, // [UR00021]
    Other,              // any other tag: ignored
};
// The kind of a text of at least nine characters.
LoginServerText ClassifyLoginServerText(const std::u16string& text);

// "[UR00001]" result,message[,t1,t2,t3,t4]: exactly 2 or 6 fields.
struct LoginResult {
    std::u16string result;
    std::u16string message;
    bool MayLogIn() const { return result == u"0"; }
    // A refusal that, on a reconnect, ends the program.
    bool EndsReconnect() const { return result == u"3"; }
};
bool ReadLoginResult(const std::u16string& arguments, LoginResult& answer);

// "[UR00002]" a,b,seats,c,d: exactly 5 fields, the seats a decimal number 1..kMaxSeatCount.
bool ReadSeatsGranted(const std::u16string& arguments, int& seats);

// "[UR00020]" kind,id,address,x: exactly 4 fields.
struct DuplicateLoginNotice {
    bool described = false;         // field 0 is "1": the question names the ID and address
    std::u16string teacherId;
    std::u16string address;
};
bool ReadDuplicateLogin(const std::u16string& arguments, DuplicateLoginNotice& notice);

// "[UR00021]" kind,address,x: exactly 3 fields.
struct LoggedOutNotice {
    bool endsProgram = false;       // field 0 is "1"
    std::u16string address;
};
bool ReadLoggedOutElsewhere(const std::u16string& arguments, LoggedOutNotice& notice);

// What the login request and the take-over carry about this console.
struct ConsoleIdentity {
    int32_t sessionTag = 0;         // the tick count when the view was made
    std::u16string teacherId;
    std::u16string siteText;
    std::u16string localAddress;
    std::u16string studentPort;     // decimal text of the port students connect to
};

// "[UT00001]3,<tag>,<id>,<site>,<address>,<port>,2.0.1.1047"
std::u16string LoginRequestCommand(const ConsoleIdentity& console);
// "[UT00002]<slots>", every 60 s.
std::u16string LoginKeepAliveCommand(int slotCount);
// "[KW10003]0,<id>,<site>,0,0,<address>,<port>,<address>,<port>": take over a duplicate login.
std::u16string TakeOverCommand(const ConsoleIdentity& console);

// The refusal texts the server sends in Korean, which other UI languages replace with their own.
enum class ServerMessage {
    AsIs,
    LookupError,        // string 5008
    NoSuchTeacher,      // string 5009
    KindMismatch,       // string 5010
    NotRunning,         // string 5011, formatted with the program name left in the text
};
// Which replacement a message gets; for NotRunning, name is what remains once the fixed words
// around it are removed.
ServerMessage ClassifyServerMessage(const std::u16string& message, std::u16string& name);

// The string-table id of the text shown for a failed connect to the login server, or 0 for an
// error without one of its own.
unsigned ConnectErrorTextId(int socketError);
constexpr int kAddressInUseError = 10048;
