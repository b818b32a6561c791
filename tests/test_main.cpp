#include <gtest/gtest.h>

#ifdef _WIN32
#include <cstdio>
#include <fcntl.h>
#include <io.h>
#endif

int main(int argc, char** argv) {
#ifdef _WIN32
    // Plain LF line ends, so that CTest reads the test list that Wine passes on unchanged.
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
