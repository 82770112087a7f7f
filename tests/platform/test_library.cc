// A library for the DynamicLibrary tests to load: two exports.
#ifdef _WIN32
#define TEST_EXPORT extern "C" __declspec(dllexport)
#else
#define TEST_EXPORT extern "C" __attribute__((visibility("default")))
#endif

TEST_EXPORT int PlatformTestAnswer() {
  return 42;
}
TEST_EXPORT const char* PlatformTestName() {
  return "platform test library";
}
