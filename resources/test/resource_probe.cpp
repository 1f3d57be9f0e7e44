// resource_probe: a GUI-subsystem program linked with vaelto_resources, the
// way vaelto.exe is.  It looks at its own resources through the Win32 API,
// as Windows and the program will, prints one line per check and exits with
// 1 when any check fails.  Run under wine64 as a CTest test.

#include <windows.h>
#include <commctrl.h>

#include <cstdarg>
#include <cstdio>
#include <cwctype>
#include <initializer_list>
#include <cstring>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "vaelto_version.h"

namespace {

int failures = 0;

void check(bool ok, const char* what, const std::string& detail = {}) {
  std::printf("%s %s%s%s\n", ok ? "ok  " : "FAIL", what, detail.empty() ? "" : ": ", detail.c_str());
  std::fflush(stdout);
  if (!ok) ++failures;
}

std::string format(const char* fmt, ...) {
  char buffer[512];
  va_list args;
  va_start(args, fmt);
  std::vsnprintf(buffer, sizeof buffer, fmt, args);
  va_end(args);
  return buffer;
}

// The group icon resource layout (GRPICONDIR / GRPICONDIRENTRY), as stored
// in the exe: 2-byte packed, no header file declares it.
#pragma pack(push, 2)
struct GroupIconEntry {
  BYTE width, height, colourCount, reserved;
  WORD planes, bitCount;
  DWORD bytesInRes;
  WORD id;
};
struct GroupIconDir {
  WORD reserved, type, count;
  GroupIconEntry entries[1];
};
#pragma pack(pop)

std::string narrow(const std::wstring& text) {
  std::string out;
  for (wchar_t c : text) out += (c < 128) ? static_cast<char>(c) : '?';
  return out;
}

const BYTE* resourceBytes(LPCWSTR name, LPCWSTR type, DWORD* size) {
  HRSRC found = FindResourceW(nullptr, name, type);
  if (!found) return nullptr;
  HGLOBAL loaded = LoadResource(nullptr, found);
  if (!loaded) return nullptr;
  if (size) *size = SizeofResource(nullptr, found);
  return static_cast<const BYTE*>(LockResource(loaded));
}

// Draws `icon` at its size over a background of `background` on a 32-bit DIB
// and returns the pixels, top row first, as 0x00RRGGBB.
std::vector<DWORD> drawIcon(HICON icon, int size, COLORREF background) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = size;
  info.bmiHeader.biHeight = -size;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP dib = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  std::vector<DWORD> pixels;
  if (dib && bits) {
    HGDIOBJ old = SelectObject(dc, dib);
    RECT all = {0, 0, size, size};
    HBRUSH brush = CreateSolidBrush(background);
    FillRect(dc, &all, brush);
    DeleteObject(brush);
    DrawIconEx(dc, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
    GdiFlush();
    const DWORD* p = static_cast<const DWORD*>(bits);
    pixels.assign(p, p + size * size);
    SelectObject(dc, old);
    DeleteObject(dib);
  }
  DeleteDC(dc);
  return pixels;
}

int red(DWORD c) { return (c >> 16) & 0xFF; }
int green(DWORD c) { return (c >> 8) & 0xFF; }
int blue(DWORD c) { return c & 0xFF; }

void checkIconGroup() {
  DWORD size = 0;
  auto* group = reinterpret_cast<const GroupIconDir*>(
      resourceBytes(MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(14) /* RT_GROUP_ICON */, &size));
  check(group != nullptr, "icon group 1 is present");
  if (!group) return;
  check(group->reserved == 0 && group->type == 1, "icon group header",
        format("reserved %u, type %u", group->reserved, group->type));
  check(group->count == 9 && size >= 6 + 14u * group->count, "icon group holds nine pictures",
        format("%u pictures", group->count));

  std::set<std::pair<int, int>> seen;
  for (int i = 0; i < group->count; ++i) {
    const GroupIconEntry& e = group->entries[i];
    int side = e.width ? e.width : 256;
    seen.insert({side, e.bitCount});
    DWORD bytes = 0;
    const BYTE* picture = resourceBytes(MAKEINTRESOURCEW(e.id), MAKEINTRESOURCEW(3) /* RT_ICON */, &bytes);
    std::string name = format("picture %dx%d at %u bpp (icon id %u)", side, side, e.bitCount, e.id);
    check(picture && bytes == e.bytesInRes, (name + " is present with its size").c_str(),
          format("%lu bytes, group says %lu", (unsigned long)bytes, (unsigned long)e.bytesInRes));
    if (!picture) continue;
    check(e.colourCount == (e.bitCount == 4 ? 16 : 0) && e.planes == 1,
          (name + " directory fields").c_str(), format("colours %u, planes %u", e.colourCount, e.planes));

    // Windows' own reader must take the picture; drawn over two different
    // backgrounds, the corner must show the background (the mask works)
    // and the middle must be the white face whatever lies behind it.
    HICON icon = CreateIconFromResourceEx(const_cast<BYTE*>(picture), bytes, TRUE, 0x00030000,
                                          side, side, LR_DEFAULTCOLOR);
    check(icon != nullptr, (name + " loads").c_str());
    if (!icon) continue;
    std::vector<DWORD> onGreen = drawIcon(icon, side, RGB(0, 160, 0));
    std::vector<DWORD> onMagenta = drawIcon(icon, side, RGB(200, 0, 200));
    DestroyIcon(icon);
    if (onGreen.empty() || onMagenta.empty()) {
      check(false, (name + " draws").c_str());
      continue;
    }
    DWORD corner = onGreen[(side - 1) * side];        // bottom-left corner
    DWORD corner2 = onMagenta[(side - 1) * side];
    check(corner == 0x00A000 && corner2 == 0xC800C8, (name + " corner is transparent").c_str(),
          format("%06lx / %06lx", (unsigned long)corner, (unsigned long)corner2));
    // Left of the middle: the face, clear of the hands and the marks.
    int probe = (side / 2 + side / 16) * side + side / 2 - side / 5;
    DWORD face = onGreen[probe];
    DWORD face2 = onMagenta[probe];
    check(face == face2 && red(face) > 200 && green(face) > 200 && blue(face) > 200,
          (name + " face is opaque white").c_str(),
          format("%06lx / %06lx", (unsigned long)face, (unsigned long)face2));
  }
  std::set<std::pair<int, int>> wanted;
  for (int side : {16, 32, 48})
    for (int bits : {4, 8, 32}) wanted.insert({side, bits});
  check(seen == wanted, "every size (16, 32, 48) at every depth (4, 8, 32 bpp)");

  // What Windows picks for the sizes the program asks for.
  HDC screen = GetDC(nullptr);
  int displayBits = screen ? GetDeviceCaps(screen, BITSPIXEL) : 0;
  if (screen) ReleaseDC(nullptr, screen);
  for (int side : {16, 32, 48}) {
    int id = LookupIconIdFromDirectoryEx(reinterpret_cast<PBYTE>(const_cast<GroupIconDir*>(group)), TRUE,
                                         side, side, LR_DEFAULTCOLOR);
    const GroupIconEntry* chosen = nullptr;
    for (int i = 0; i < group->count; ++i)
      if (group->entries[i].id == id) chosen = &group->entries[i];
    check(chosen && chosen->width == side && (displayBits < 24 || chosen->bitCount == 32),
          format("for %d px Windows picks the %d px picture at full colour", side, side).c_str(),
          chosen ? format("picked %ux%u at %u bpp on a %d bpp display", chosen->width, chosen->height,
                          chosen->bitCount, displayBits)
                 : std::string("no picture picked"));

    HICON icon = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1), IMAGE_ICON,
                                               side, side, LR_DEFAULTCOLOR));
    ICONINFO iconInfo = {};
    BITMAP bitmap = {};
    bool got = icon && GetIconInfo(icon, &iconInfo) &&
               GetObjectW(iconInfo.hbmColor ? iconInfo.hbmColor : iconInfo.hbmMask, sizeof bitmap, &bitmap);
    check(got && bitmap.bmWidth == side, format("LoadImage(icon 1, %d px)", side).c_str(),
          got ? format("got %ldx%ld", (long)bitmap.bmWidth, (long)bitmap.bmHeight) : std::string("failed"));
    if (iconInfo.hbmColor) DeleteObject(iconInfo.hbmColor);
    if (iconInfo.hbmMask) DeleteObject(iconInfo.hbmMask);
    if (icon) DestroyIcon(icon);
  }
}

void checkManifest() {
  DWORD size = 0;
  const BYTE* manifest = resourceBytes(MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24) /* RT_MANIFEST */, &size);
  check(manifest != nullptr, "manifest resource 1 is present");
  if (manifest) {
    std::string text(reinterpret_cast<const char*>(manifest), size);
    check(text.find("Microsoft.Windows.Common-Controls") != std::string::npos &&
              text.find("asInvoker") != std::string::npos,
          "manifest names Common Controls 6 and asInvoker");
  }

  // The manifest is applied: comctl32 comes from the side-by-side store
  // (version 6, with visual styles), not from system32 (version 5).  The
  // folder tells, on Windows and on Wine alike; Wine's DllGetVersion says
  // 5.81 for both copies.
  INITCOMMONCONTROLSEX init = {sizeof init, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&init);
  wchar_t path[MAX_PATH] = L"";
  if (HMODULE comctl = GetModuleHandleW(L"comctl32.dll")) GetModuleFileNameW(comctl, path, MAX_PATH);
  std::wstring lower;
  for (const wchar_t* c = path; *c; ++c) lower += static_cast<wchar_t>(towlower(*c));
  check(lower.find(L"\\winsxs\\") != std::wstring::npos && lower.find(L"common-controls") != std::wstring::npos,
        "visual styles: comctl32 6 from the side-by-side store is loaded", narrow(path));

  // ... and its DPI settings are the ones Windows reads.  (Windows 10 1607
  // and later read dpiAwareness; older versions dpiAware.)
  wchar_t value[64] = L"";
  BOOL found = QueryActCtxSettingsW(0, nullptr, L"http://schemas.microsoft.com/SMI/2016/WindowsSettings",
                                    L"dpiAwareness", value, 64, nullptr);
  check(found && lstrcmpiW(value, L"system") == 0, "manifest dpiAwareness is system",
        found ? narrow(value) : std::string("not set"));
  found = QueryActCtxSettingsW(0, nullptr, L"http://schemas.microsoft.com/SMI/2005/WindowsSettings", L"dpiAware",
                               value, 64, nullptr);
  check(found && lstrcmpiW(value, L"true") == 0, "manifest dpiAware is true",
        found ? narrow(value) : std::string("not set"));

  // The awareness the process really got.  Wine 8 reports per-monitor
  // awareness for every process, with or without a manifest, so there this
  // is only printed.
  bool wine = GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
  HMODULE user32 = GetModuleHandleW(L"user32.dll");
  using GetContextFn = HANDLE(WINAPI*)();
  using GetAwarenessFn = int(WINAPI*)(HANDLE);
  auto getContext = reinterpret_cast<GetContextFn>(
      reinterpret_cast<void*>(GetProcAddress(user32, "GetThreadDpiAwarenessContext")));
  auto getAwareness = reinterpret_cast<GetAwarenessFn>(
      reinterpret_cast<void*>(GetProcAddress(user32, "GetAwarenessFromDpiAwarenessContext")));
  int awareness = getContext && getAwareness ? getAwareness(getContext()) : (IsProcessDPIAware() ? 1 : 0);
  if (wine) {
    std::printf("info DPI awareness %d (0 unaware, 1 system, 2 per monitor): not checked under Wine\n", awareness);
  } else {
    check(awareness == 1, "process is system DPI aware", format("awareness %d", awareness));
  }
}

std::wstring versionString(const std::vector<BYTE>& data, const wchar_t* path) {
  void* value = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(data.data(), path, &value, &length) || !value) return L"<missing>";
  return static_cast<const wchar_t*>(value);
}

void checkVersionInfo() {
  wchar_t path[MAX_PATH];
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  DWORD handle = 0;
  DWORD size = GetFileVersionInfoSizeW(path, &handle);
  check(size > 0, "version information is present");
  if (!size) return;
  std::vector<BYTE> data(size);
  if (!GetFileVersionInfoW(path, 0, size, data.data())) {
    check(false, "GetFileVersionInfo");
    return;
  }
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  bool haveFixed = VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) && fixed &&
                   fixed->dwSignature == 0xFEEF04BD;
  check(haveFixed, "fixed version information");
  if (haveFixed) {
    DWORD wantMs = MAKELONG(VAELTO_VERSION_MINOR, VAELTO_VERSION_MAJOR);
    DWORD wantLs = MAKELONG(VAELTO_VERSION_BUILD, VAELTO_VERSION_PATCH);
    check(fixed->dwFileVersionMS == wantMs && fixed->dwFileVersionLS == wantLs &&
              fixed->dwProductVersionMS == wantMs && fixed->dwProductVersionLS == wantLs,
          "file and product version " VAELTO_VERSION_TEXT,
          format("%lu.%lu.%lu.%lu", (unsigned long)HIWORD(fixed->dwFileVersionMS),
                 (unsigned long)LOWORD(fixed->dwFileVersionMS), (unsigned long)HIWORD(fixed->dwFileVersionLS),
                 (unsigned long)LOWORD(fixed->dwFileVersionLS)));
    check(fixed->dwFileType == VFT_APP && fixed->dwFileOS == VOS_NT_WINDOWS32, "file type application, OS NT");
  }
  WORD* translation = nullptr;
  bool haveTranslation =
      VerQueryValueW(data.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length) &&
      translation && length >= 4;
  check(haveTranslation && translation[0] == 0x0804 && translation[1] == 1200,
        "translation: Chinese (Simplified) 0x0804, Unicode 1200",
        haveTranslation ? format("0x%04x, %u", translation[0], translation[1]) : std::string("missing"));
  struct {
    const wchar_t* key;
    const wchar_t* want;
  } strings[] = {
      {L"\\StringFileInfo\\080404B0\\ProductName", L"Vaelto"},
      {L"\\StringFileInfo\\080404B0\\FileDescription", L"Vaelto"},
      {L"\\StringFileInfo\\080404B0\\FileVersion", L"" VAELTO_VERSION_TEXT},
      {L"\\StringFileInfo\\080404B0\\ProductVersion", L"" VAELTO_VERSION_TEXT},
      {L"\\StringFileInfo\\080404B0\\OriginalFilename", L"vaelto.exe"},
  };
  for (const auto& s : strings) {
    std::wstring got = versionString(data, s.key);
    check(got == s.want, narrow(s.key).c_str(), narrow(got));
  }
  check(versionString(data, L"\\StringFileInfo\\080404B0\\CompanyName") != L"<missing>" &&
            versionString(data, L"\\StringFileInfo\\080404B0\\LegalCopyright") != L"<missing>",
        "CompanyName and LegalCopyright are present");
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  checkIconGroup();
  checkManifest();
  checkVersionInfo();
  std::printf("%s\n", failures ? "resource_probe: FAILED" : "resource_probe: all checks passed");
  return failures ? 1 : 0;
}
