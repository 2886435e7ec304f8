// A credential library with nothing but its two entry points, as the plant's supplier ships
// it: 1 gives the user name, 2 a null pointer (an empty password).
#if defined(_WIN32)
#define TWO_ENTRIES_EXPORT extern "C" __declspec(dllexport)
#else
#define TWO_ENTRIES_EXPORT extern "C" __attribute__((visibility("default")))
#endif

TWO_ENTRIES_EXPORT const char* VelmoraUserName() {
    return "ZEL_FORNECEDOR";
}

TWO_ENTRIES_EXPORT const char* VelmoraPassword() {
    return nullptr;
}
