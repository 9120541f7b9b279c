// hold_file PATH shared|exclusive: holds an existing file open for writing, as
// the scoring program holds its BWS file while the controller runs; "shared"
// lets others read and write it meanwhile, "exclusive" lets nobody in. Once
// the file is open it creates PATH.held; it closes the file when its standard
// input ends. Nothing is written to the file.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

int main(int argc, char** argv) {
    if (argc != 3 ||
        (std::strcmp(argv[2], "shared") != 0 && std::strcmp(argv[2], "exclusive") != 0)) {
        std::fprintf(stderr, "usage: hold_file PATH shared|exclusive\n");
        return 2;
    }
    const DWORD sharing =
        std::strcmp(argv[2], "shared") == 0 ? FILE_SHARE_READ | FILE_SHARE_WRITE : 0;
    HANDLE file = CreateFileA(argv[1], GENERIC_READ | GENERIC_WRITE, sharing, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        std::fprintf(stderr, "hold_file: cannot open %s (error %lu)\n", argv[1], GetLastError());
        return 1;
    }
    const std::string marker = std::string(argv[1]) + ".held";
    HANDLE held = CreateFileA(marker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
    char buffer[256];
    while (std::fread(buffer, 1, sizeof buffer, stdin) > 0) {
    }
    CloseHandle(file);
    return 0;
}
