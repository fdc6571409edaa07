// Stands in for a program planted next to a folder with a space in its name:
// if it is ever run, it leaves a file behind to say so.
#include <windows.h>

int main() {
    HANDLE file = CreateFileA("planted-program-ran.txt", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    CloseHandle(file);
    return 0;
}
