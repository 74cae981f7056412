// The least a program can do to start the stand-in VM: load it and call JNI_CreateJavaVM.
// The benchmark compares the launcher's start-up with this one's: minimal_host.exe JVM_DLL,
// or minimal_host.exe JVM_DLL --user32 to have Wine set up user32 first, as every GUI
// program does.
#include <windows.h>

#define JNIIMPORT
#include <jni.h>

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2)
        return 2;
    if (argc > 2 && lstrcmpW(argv[2], L"--user32") == 0)
    {
        HMODULE hUser = LoadLibraryW(L"user32.dll");
        typedef int(WINAPI * PfnMetrics)(int);
        PfnMetrics pfnMetrics = hUser == nullptr
                                    ? nullptr
                                    : reinterpret_cast<PfnMetrics>(reinterpret_cast<void (*)()>(
                                          GetProcAddress(hUser, "GetSystemMetrics")));
        if (pfnMetrics == nullptr || pfnMetrics(SM_CXSCREEN) == 0)
            return 6;
    }
    HMODULE hLibrary = LoadLibraryW(argv[1]);
    if (hLibrary == nullptr)
        return 3;
    typedef jint(JNICALL * PfnCreate)(JavaVM**, void**, void*);
    PfnCreate pfnCreate = reinterpret_cast<PfnCreate>(
        reinterpret_cast<void (*)()>(GetProcAddress(hLibrary, "JNI_CreateJavaVM")));
    if (pfnCreate == nullptr)
        return 4;
    char classPath[] = "-Djava.class.path=app.jar";
    JavaVMOption option = {classPath, nullptr};
    JavaVMInitArgs args = {JNI_VERSION_1_2, 1, &option, JNI_FALSE};
    JavaVM* pVm = nullptr;
    JNIEnv* pEnv = nullptr;
    return pfnCreate(&pVm, reinterpret_cast<void**>(&pEnv), &args) == JNI_OK ? 0 : 5;
}
