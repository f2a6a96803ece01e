// What Tavelin.exe says about itself, read back from the built file: the
// application manifest and the version information, against the version in
// CMakeLists.txt and the copyright line of LICENSE.
#include <gtest/gtest.h>

#include <windows.h>

#include <cwctype>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "support/clock_fixture.h"

namespace {

std::string SourceFile(const std::string& name) {
  std::string path = std::string(TAVELIN_SOURCE_DIR) + "/" + name;
  for (char& c : path)
    if (c == '/') c = '\\';
  if (path.size() > 1 && path[0] == '\\') path = "Z:" + path;  // the Unix root under Wine
  return ReadFileBytes(path);
}

// "1.2.3" from project(Tavelin VERSION 1.2.3 ...).
std::string ProjectVersion() {
  std::smatch match;
  const std::string cmake = SourceFile("CMakeLists.txt");
  if (!std::regex_search(cmake, match, std::regex(R"(project\(\s*Tavelin\s+VERSION\s+([0-9.]+))"))) return "";
  return match[1];
}

std::string CopyrightLine() {
  std::istringstream license(SourceFile("LICENSE"));
  std::string line;
  while (std::getline(license, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.rfind("Copyright ", 0) == 0) return line;
  }
  return "";
}

std::vector<unsigned> VersionParts(const std::string& text) {
  std::vector<unsigned> parts;
  std::istringstream in(text);
  std::string part;
  while (std::getline(in, part, '.')) parts.push_back(static_cast<unsigned>(std::stoul(part)));
  while (parts.size() < 4) parts.push_back(0);
  return parts;
}

std::wstring Wide(const std::string& text) {
  return std::wstring(text.begin(), text.end());  // ASCII texts only
}

class IdentityTest : public ::testing::Test {
 protected:
  void SetUp() override {
    exe_ = WidePath(PathFromEnvironment("TAVELIN_EXE"));
    ASSERT_FALSE(exe_.empty()) << "TAVELIN_EXE names the program";
    version_ = ProjectVersion();
    ASSERT_FALSE(version_.empty()) << "no version in CMakeLists.txt";
  }

  std::wstring exe_;
  std::string version_;
};

TEST_F(IdentityTest, TheManifestAsksForTheUsersRightsTheSupportedSystemsThemedControlsAndPerMonitorDpi) {
  HMODULE image = LoadLibraryExW(exe_.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  ASSERT_NE(image, nullptr);
  HRSRC found = FindResourceW(image, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));  // RT_MANIFEST
  ASSERT_NE(found, nullptr) << "no manifest";
  const char* bytes = static_cast<const char*>(LockResource(LoadResource(image, found)));
  const std::string manifest(bytes, SizeofResource(image, found));
  FreeLibrary(image);

  auto element = [&](const std::string& pattern) {
    std::smatch match;
    return std::regex_search(manifest, match, std::regex(pattern)) ? match.str() : std::string();
  };
  EXPECT_NE(element(R"(<requestedExecutionLevel\s+level="asInvoker"\s+uiAccess="false"\s*/>)"), "");
  const char* systems[] = {
      "35138b9a-5d96-4fbd-8e2d-a2440225f93a",  // Windows 7
      "4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38",  // Windows 8
      "1f676c76-80e1-4239-95bb-83d0f6d0da78",  // Windows 8.1
      "8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a",  // Windows 10 and 11
  };
  for (const char* id : systems) {
    EXPECT_NE(element(std::string("<supportedOS\\s+Id=\"\\{") + id + "\\}\"\\s*/>"), "") << id;
  }
  const std::string controls = element(R"(<assemblyIdentity[^>]*"Microsoft\.Windows\.Common-Controls"[^>]*>)");
  ASSERT_NE(controls, "") << "no dependency on the common controls";
  EXPECT_NE(controls.find("version=\"6.0.0.0\""), std::string::npos) << controls;
  EXPECT_NE(controls.find("publicKeyToken=\"6595b64144ccf1df\""), std::string::npos) << controls;
  EXPECT_NE(element(R"(<dpiAwareness[^>]*>\s*PerMonitorV2\b[^<]*</dpiAwareness>)"), "") << "no per-monitor V2";
  EXPECT_NE(element(R"(<dpiAware[^>]*>\s*true/pm\s*</dpiAware>)"), "") << "no fallback for older systems";

  const std::vector<unsigned> v = VersionParts(version_);
  std::ostringstream own;
  own << "name=\"Tavelin\" version=\"" << v[0] << "." << v[1] << "." << v[2] << "." << v[3] << "\"";
  EXPECT_NE(element("<assemblyIdentity[^>]*>").find(own.str()), std::string::npos) << "expected " << own.str();
}

TEST_F(IdentityTest, TheVersionInformationNamesTheProductItsVersionAndCopyright) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(exe_.c_str(), &ignored);
  ASSERT_GT(size, 0u) << "no version resource";
  std::vector<char> info(size);
  ASSERT_TRUE(GetFileVersionInfoW(exe_.c_str(), 0, size, info.data()));

  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  const std::vector<unsigned> v = VersionParts(version_);
  EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(v[1], v[0]));
  EXPECT_EQ(fixed->dwFileVersionLS, MAKELONG(v[3], v[2]));
  EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
  EXPECT_EQ(fixed->dwProductVersionLS, fixed->dwFileVersionLS);
  EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));

  struct Translation {
    WORD language;
    WORD codePage;
  }* translations = nullptr;
  ASSERT_TRUE(VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translations),
                             &length));
  ASSERT_EQ(length, 2 * sizeof(Translation)) << "a Japanese and an English block";
  EXPECT_EQ(translations[0].language, 0x0411);
  EXPECT_EQ(translations[1].language, 0x0409);

  const std::string copyright = CopyrightLine();
  ASSERT_FALSE(copyright.empty()) << "no copyright line in LICENSE";
  const struct {
    const wchar_t* key;
    std::wstring expected;  // empty: any text
  } values[] = {
      {L"ProductName", L"Tavelin"},     {L"FileVersion", Wide(version_)}, {L"ProductVersion", Wide(version_)},
      {L"LegalCopyright", Wide(copyright)}, {L"OriginalFilename", L"Tavelin.exe"}, {L"InternalName", L"Tavelin"},
      {L"FileDescription", L""},
  };
  for (int t = 0; t < 2; ++t) {
    wchar_t block[64];
    wsprintfW(block, L"\\StringFileInfo\\%04x%04x\\", translations[t].language, translations[t].codePage);
    for (const auto& value : values) {
      SCOPED_TRACE(testing::Message() << testing::PrintToString(std::wstring(block) + value.key));
      wchar_t* text = nullptr;
      ASSERT_TRUE(VerQueryValueW(info.data(), (std::wstring(block) + value.key).c_str(),
                                 reinterpret_cast<void**>(&text), &length));
      if (value.expected.empty()) {
        EXPECT_EQ(std::wstring(text).rfind(L"Tavelin ", 0), 0u) << "says what the program is";
      } else {
        EXPECT_EQ(std::wstring(text), value.expected);
      }
    }
  }
}

// The tests carry the same manifest as the program, so the dialog tests run
// the controls the program runs: the process's activation context sends
// comctl32.dll to the side-by-side assembly of version 6.
TEST(ThemedControls, TheCommonControlsComeFromTheVersionSixAssembly) {
  ACTCTX_SECTION_KEYED_DATA data{};
  data.cbSize = sizeof data;
  ASSERT_TRUE(FindActCtxSectionStringW(0, nullptr, ACTIVATION_CONTEXT_SECTION_DLL_REDIRECTION, L"comctl32.dll", &data))
      << "comctl32.dll is not redirected";
  HMODULE controls = LoadLibraryW(L"comctl32.dll");
  ASSERT_NE(controls, nullptr);
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(controls, path, MAX_PATH);
  FreeLibrary(controls);
  std::wstring lower = path;
  for (wchar_t& c : lower) c = static_cast<wchar_t>(towlower(c));
  EXPECT_NE(lower.find(L"common-controls_6595b64144ccf1df_6."), std::wstring::npos)
      << testing::PrintToString(std::wstring(path));
}

}  // namespace
