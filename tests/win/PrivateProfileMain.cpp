// The entry of the test programs that change the user's input method data: GoogleTest's own,
// behind the private profile guard.
#include "PrivateProfile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

int main(int argc, char** argv) {
    const std::string program = argc > 0 ? std::filesystem::path(argv[0]).filename().string() : "test program";
    if (!MayChangeThisProfile(program.c_str())) return RefusedToRunExitCode;
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
