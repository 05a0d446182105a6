// Screen capture with GDI: BitBlt of the screen into a 24-bit DIB, written as a BMP file.
#include "support/screenshot.h"

#include <windows.h>

#include <cstdlib>
#include <vector>

#include "support/program.h"
#include "support/utf8.h"

namespace rig {
namespace {

// Rows bottom-up, each padded to four bytes, as a 24-bit BMP holds them.
bool captureScreen(int width, int height, std::vector<unsigned char>& pixels) {
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    bool copied = BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY) != 0;
    SelectObject(memory, old);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    pixels.assign((size_t)((width * 3 + 3) & ~3) * height, 0);
    copied = copied && GetDIBits(memory, bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS) == height;
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return copied;
}

bool writeBmp(const std::wstring& path, int width, int height, const std::vector<unsigned char>& pixels) {
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    info.biSizeImage = (DWORD)pixels.size();
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + (DWORD)pixels.size();
    HANDLE handle = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool ok = WriteFile(handle, &file, sizeof file, &written, nullptr) &&
              WriteFile(handle, &info, sizeof info, &written, nullptr) &&
              WriteFile(handle, pixels.data(), (DWORD)pixels.size(), &written, nullptr) && written == pixels.size();
    CloseHandle(handle);
    return ok;
}

}  // namespace

bool saveScreenshot(const std::string& name, std::string& error) {
    const char* folder = std::getenv("VELMORA_SCREENSHOT_DIR");
    if (!folder || !*folder) {
        error = "VELMORA_SCREENSHOT_DIR is not set";
        return false;
    }
    std::wstring directory = windowsPath(folder);
    CreateDirectoryW(directory.c_str(), nullptr);
    int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    std::vector<unsigned char> pixels;
    if (!captureScreen(width, height, pixels)) {
        error = "cannot capture the screen";
        return false;
    }
    std::wstring path = directory + L"\\" + toWide(name) + L".bmp";
    if (!writeBmp(path, width, height, pixels)) {
        error = "cannot write " + toUtf8(path);
        return false;
    }
    return true;
}

}  // namespace rig
