/* A 32-bit (i386) DLL, for the tests of the companion hand-off: the launcher must recognise a
   library that it cannot load into its own 64-bit process. */
__declspec(dllexport) int JNI_CreateJavaVM(void) { return -1; }
