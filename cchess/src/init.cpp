#include <cchess/cchess.h>

// Every table the library uses is built at compile time, so there is nothing left to prepare.
extern "C" int CchessInit(int /*reserved*/) {
    return 1;
}
