// The program's version, in one place: the executable's version resource (version.rc) and the
// version the console announces to students and the login server are both made from it.
#ifndef LUMORA_RES_VERSION_H
#define LUMORA_RES_VERSION_H

#define LUMORA_VERSION_NUMBERS 2, 0, 1, 1047
#define LUMORA_VERSION_TEXT "2.0.1.1047"

#endif
