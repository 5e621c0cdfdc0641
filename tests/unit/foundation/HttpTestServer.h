// The web-service double (http_test_server.py beside this file), started once per test program
// under Wine and ended when the program ends.
#pragma once

#include "framework/Afx.h"

// "http://127.0.0.1:<port>", or empty when the server could not be started.
CString HttpTestServerUrl();
