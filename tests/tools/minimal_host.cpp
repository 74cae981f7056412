// The least a program can do to start the stand-in VM: load it and call JNI_CreateJavaVM.
// The benchmark compares the launcher's start-up with this one's: minimal_host.exe JVM_DLL
#include <windows.h>

#define JNIIMPORT
#include <jni.h>

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2)
        return 2;
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
