#include "jvm/java_calls.h"

#include <cstring>

jint CreateJavaVm(PfnCreateJavaVM pfnCreateJavaVM, const CVmOptionList& options, JavaVM** ppVm,
                  JNIEnv** ppEnv)
{
    // The option strings stay where the list keeps them; only the array is temporary.
    std::vector<JavaVMOption> vmOptions(options.Count());
    for (size_t i = 0; i < options.Count(); ++i)
    {
        vmOptions[i].optionString = const_cast<char*>(options.At(i).c_str());
        vmOptions[i].extraInfo = nullptr;
    }
    JavaVMInitArgs initArgs;
    std::memset(&initArgs, 0, sizeof(initArgs));
    initArgs.version = JNI_VERSION_1_2;
    initArgs.nOptions = static_cast<jint>(vmOptions.size());
    initArgs.options = vmOptions.empty() ? nullptr : vmOptions.data();
    initArgs.ignoreUnrecognized = JNI_FALSE;
    return pfnCreateJavaVM(ppVm, reinterpret_cast<void**>(ppEnv), &initArgs);
}

jstring NewJavaString(const std::u16string& text, JNIEnv* pEnv)
{
    jclass stringClass = pEnv->FindClass("java/lang/String");
    if (stringClass == nullptr)
        return nullptr;
    jmethodID constructor = pEnv->GetMethodID(stringClass, "<init>", "([C)V");
    if (constructor == nullptr)
        return nullptr;
    jcharArray chars = pEnv->NewCharArray(static_cast<jsize>(text.size()));
    if (chars == nullptr)
        return nullptr;
    pEnv->SetCharArrayRegion(chars, 0, static_cast<jsize>(text.size()),
                             reinterpret_cast<const jchar*>(text.data()));
    jstring result = nullptr;
    if (pEnv->ExceptionOccurred() == nullptr)
        result = static_cast<jstring>(pEnv->NewObject(stringClass, constructor, chars));
    pEnv->DeleteLocalRef(chars);
    return result;
}

jobjectArray NewJavaStringArray(const std::vector<std::u16string>& texts, JNIEnv* pEnv)
{
    jclass stringClass = pEnv->FindClass("java/lang/String");
    if (stringClass == nullptr)
        return nullptr;
    jobjectArray array =
        pEnv->NewObjectArray(static_cast<jsize>(texts.size()), stringClass, nullptr);
    if (array == nullptr)
        return nullptr;
    for (size_t i = 0; i < texts.size(); ++i)
    {
        jstring element = NewJavaString(texts[i], pEnv);
        if (element == nullptr)
            return nullptr;
        pEnv->SetObjectArrayElement(array, static_cast<jsize>(i), element);
        pEnv->DeleteLocalRef(element);
    }
    return array;
}

void CallSystemExit(JNIEnv* pEnv)
{
    jclass systemClass = pEnv->FindClass("java/lang/System");
    if (systemClass == nullptr)
        return;
    jmethodID exitMethod = pEnv->GetStaticMethodID(systemClass, "exit", "(I)V");
    if (exitMethod == nullptr)
        return;
    pEnv->CallStaticVoidMethod(systemClass, exitMethod, static_cast<jint>(-1));
    if (pEnv->ExceptionOccurred() != nullptr)
        pEnv->ExceptionDescribe();
}

bool RedirectJavaStream(const std::u16string& path, const char* pSetterName, JNIEnv* pEnv)
{
    jstring pathString = NewJavaString(path, pEnv);
    if (pathString == nullptr)
        return false;
    jclass fileStreamClass = pEnv->FindClass("java/io/FileOutputStream");
    if (fileStreamClass == nullptr)
        return false;
    jmethodID fileStreamConstructor =
        pEnv->GetMethodID(fileStreamClass, "<init>", "(Ljava/lang/String;)V");
    if (fileStreamConstructor == nullptr)
        return false;
    jobject fileStream = pEnv->NewObject(fileStreamClass, fileStreamConstructor, pathString);
    if (fileStream == nullptr)
        return false;
    jclass printStreamClass = pEnv->FindClass("java/io/PrintStream");
    if (printStreamClass == nullptr)
        return false;
    jmethodID printStreamConstructor =
        pEnv->GetMethodID(printStreamClass, "<init>", "(Ljava/io/OutputStream;)V");
    if (printStreamConstructor == nullptr)
        return false;
    jobject printStream = pEnv->NewObject(printStreamClass, printStreamConstructor, fileStream);
    if (printStream == nullptr)
        return false;
    jclass systemClass = pEnv->FindClass("java/lang/System");
    if (systemClass == nullptr)
        return false;
    jmethodID setter =
        pEnv->GetStaticMethodID(systemClass, pSetterName, "(Ljava/io/PrintStream;)V");
    if (setter == nullptr)
        return false;
    pEnv->CallStaticVoidMethod(systemClass, setter, printStream);
    if (pEnv->ExceptionOccurred() != nullptr)
    {
        pEnv->ExceptionDescribe();
        return false;
    }
    return true;
}

std::u16string DecodeModifiedUtf8(const char* pText)
{
    std::u16string text;
    const unsigned char* p = reinterpret_cast<const unsigned char*>(pText);
    while (*p != 0)
    {
        if (*p < 0x80)
        {
            text += static_cast<char16_t>(*p++);
        }
        else if ((*p & 0xE0) == 0xC0 && (p[1] & 0xC0) == 0x80)
        {
            text += static_cast<char16_t>(((p[0] & 0x1F) << 6) | (p[1] & 0x3F));
            p += 2;
        }
        else if ((*p & 0xF0) == 0xE0 && (p[1] & 0xC0) == 0x80 && (p[2] & 0xC0) == 0x80)
        {
            text +=
                static_cast<char16_t>(((p[0] & 0x0F) << 12) | ((p[1] & 0x3F) << 6) | (p[2] & 0x3F));
            p += 3;
        }
        else
        {
            // Not modified UTF-8: keep the byte as a character rather than lose the rest.
            text += static_cast<char16_t>(*p++);
        }
    }
    return text;
}

SMainCall CallMainMethod(const std::u16string& mainClass,
                         const std::vector<std::u16string>& arguments, JNIEnv* pEnv,
                         void (*pfnBeforeMain)(void*), void* pContext)
{
    SMainCall call = {MainCallReturned, mainClass, nullptr};
    jstring className = NewJavaString(mainClass, pEnv);
    if (className == nullptr)
    {
        call.result = MainCallNoClassName;
        return call;
    }
    const char* pNameChars = pEnv->GetStringUTFChars(className, nullptr);
    if (pNameChars == nullptr)
    {
        pEnv->ExceptionDescribe();
        call.result = MainCallNoNameChars;
        return call;
    }
    jclass mainClassRef = pEnv->FindClass(pNameChars);
    if (mainClassRef == nullptr)
    {
        pEnv->ExceptionDescribe();
        call.className = DecodeModifiedUtf8(pNameChars);
        pEnv->ReleaseStringUTFChars(className, pNameChars);
        call.result = MainCallClassNotFound;
        return call;
    }
    pEnv->ReleaseStringUTFChars(className, pNameChars);

    jmethodID mainMethod = pEnv->GetStaticMethodID(mainClassRef, "main", "([Ljava/lang/String;)V");
    if (mainMethod == nullptr)
    {
        if (pEnv->ExceptionOccurred() != nullptr)
        {
            pEnv->ExceptionDescribe();
            call.result = MainCallMethodFailed;
        }
        else
        {
            call.result = MainCallNoMainMethod;
        }
        return call;
    }
    jobjectArray argumentArray = NewJavaStringArray(arguments, pEnv);
    if (argumentArray == nullptr)
    {
        pEnv->ExceptionDescribe();
        call.result = MainCallNoArguments;
        return call;
    }
    if (pfnBeforeMain != nullptr)
        pfnBeforeMain(pContext);
    pEnv->CallStaticVoidMethod(mainClassRef, mainMethod, argumentArray);
    call.escapedException = pEnv->ExceptionOccurred();
    if (call.escapedException != nullptr)
        pEnv->ExceptionDescribe();
    return call;
}
