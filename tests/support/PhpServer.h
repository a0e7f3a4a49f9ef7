#pragma once

// PHP's built-in web server on a free port of 127.0.0.1, for the end-to-end
// tests: the program's own (the local test runs on it).
#include "preview/PhpServer.h"

using PhpServer = TPhpServer;
