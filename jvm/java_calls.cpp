// The launcher's calls into the Java VM; plain JNI, so that the native tests run them as they are.
#include "jvm/java_calls.h"

#include <cstring>

jint CreateJavaVm(PfnCreateJavaVM pfnCreateJavaVM, const CVmOptionList& options, JavaVM** ppVm,
                  JNIEnv** ppEnv, void(JNICALL* pfnExitHook)(jint), PfnPrintHook pfnPrintHook)
{
    // The hooks travel as the extra information of options of their names, first: the VM
    // takes its options in order, and one that it refuses is told through the print hook.
    static char s_exitOption[] = "exit";
    static char s_printOption[] = "vfprintf";
    std::vector<JavaVMOption> vmOptions;
    if (pfnPrintHook != nullptr)
        vmOptions.push_back({s_printOption, reinterpret_cast<void*>(pfnPrintHook)});
    if (pfnExitHook != nullptr)
        vmOptions.push_back({s_exitOption, reinterpret_cast<void*>(pfnExitHook)});
    // The option strings stay where the list keeps them; only the array is temporary.
    for (size_t i = 0; i < options.Count(); ++i)
        vmOptions.push_back({const_cast<char*>(options.At(i).c_str()), nullptr});
    JavaVMInitArgs initArgs;
    std::memset(&initArgs, 0, sizeof(initArgs));
    initArgs.version = JNI_VERSION_1_2;
    initArgs.nOptions = static_cast<jint>(vmOptions.size());
    initArgs.options = vmOptions.empty() ? nullptr : vmOptions.data();
    initArgs.ignoreUnrecognized = JNI_FALSE;
    return pfnCreateJavaVM(ppVm, reinterpret_cast<void**>(ppEnv), &initArgs);
}

namespace
{
// java/lang/String and its char[] constructor, looked up once however many strings are made.
struct SStringMaker
{
    jclass stringClass;
    jmethodID constructor;
};

// False when the VM cannot give the class or the constructor; nothing is left to delete then.
bool FindStringMaker(JNIEnv* pEnv, SStringMaker* pMaker)
{
    pMaker->stringClass = pEnv->FindClass("java/lang/String");
    if (pMaker->stringClass == nullptr)
        return false;
    pMaker->constructor = pEnv->GetMethodID(pMaker->stringClass, "<init>", "([C)V");
    if (pMaker->constructor != nullptr)
        return true;
    pEnv->DeleteLocalRef(pMaker->stringClass);
    return false;
}

// The string as one new local reference, and no other reference left behind.
jstring MakeString(const SStringMaker& maker, const std::u16string& text, JNIEnv* pEnv)
{
    jcharArray chars = pEnv->NewCharArray(static_cast<jsize>(text.size()));
    if (chars == nullptr)
        return nullptr;
    pEnv->SetCharArrayRegion(chars, 0, static_cast<jsize>(text.size()),
                             reinterpret_cast<const jchar*>(text.data()));
    jstring result = nullptr;
    // ExceptionOccurred hands out a reference of its own; the exception stays pending.
    jthrowable pending = pEnv->ExceptionOccurred();
    if (pending == nullptr)
        result = static_cast<jstring>(pEnv->NewObject(maker.stringClass, maker.constructor, chars));
    else
        pEnv->DeleteLocalRef(pending);
    pEnv->DeleteLocalRef(chars);
    return result;
}
} // namespace

jstring NewJavaString(const std::u16string& text, JNIEnv* pEnv)
{
    SStringMaker maker;
    if (!FindStringMaker(pEnv, &maker))
        return nullptr;
    jstring result = MakeString(maker, text, pEnv);
    pEnv->DeleteLocalRef(maker.stringClass);
    return result;
}

jobjectArray NewJavaStringArray(const std::vector<std::u16string>& texts, JNIEnv* pEnv)
{
    // The launcher may pass thousands of dropped files and keeps the array for the whole run,
    // so only the array itself may stay referenced: every element is let go once stored.
    SStringMaker maker;
    if (!FindStringMaker(pEnv, &maker))
        return nullptr;
    jobjectArray array =
        pEnv->NewObjectArray(static_cast<jsize>(texts.size()), maker.stringClass, nullptr);
    for (size_t i = 0; array != nullptr && i < texts.size(); ++i)
    {
        jstring element = MakeString(maker, texts[i], pEnv);
        if (element == nullptr)
        {
            pEnv->DeleteLocalRef(array);
            array = nullptr;
            break;
        }
        pEnv->SetObjectArrayElement(array, static_cast<jsize>(i), element);
        pEnv->DeleteLocalRef(element);
    }
    pEnv->DeleteLocalRef(maker.stringClass);
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

bool RedirectJavaStream(const std::u16string& path, const char* pSetterName, JNIEnv* pEnv,
                        const char* pSecondSetterName)
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
    for (const char* pName : {pSetterName, pSecondSetterName})
    {
        if (pName == nullptr)
            continue;
        jmethodID setter = pEnv->GetStaticMethodID(systemClass, pName, "(Ljava/io/PrintStream;)V");
        if (setter == nullptr)
            return false;
        pEnv->CallStaticVoidMethod(systemClass, setter, printStream);
        if (pEnv->ExceptionOccurred() != nullptr)
        {
            pEnv->ExceptionDescribe();
            return false;
        }
    }
    return true;
}

// Prints and clears a pending exception; true when there was one.
static bool DescribePending(JNIEnv* pEnv)
{
    if (pEnv->ExceptionOccurred() == nullptr)
        return false;
    pEnv->ExceptionDescribe();
    return true;
}

// The text of a Java string, decoded from modified UTF-8; empty when it cannot be had.
static std::u16string StringText(jstring string, JNIEnv* pEnv)
{
    const char* pChars = pEnv->GetStringUTFChars(string, nullptr);
    if (pChars == nullptr)
        return std::u16string();
    const std::u16string text = DecodeModifiedUtf8(pChars);
    pEnv->ReleaseStringUTFChars(string, pChars);
    return text;
}

std::u16string GetExceptionText(jthrowable exception, JNIEnv* pEnv)
{
    std::u16string text;
    jclass bytesClass = pEnv->FindClass("java/io/ByteArrayOutputStream");
    jmethodID bytesConstructor =
        bytesClass != nullptr ? pEnv->GetMethodID(bytesClass, "<init>", "()V") : nullptr;
    jobject bytes =
        bytesConstructor != nullptr ? pEnv->NewObject(bytesClass, bytesConstructor) : nullptr;
    jclass printClass = bytes != nullptr ? pEnv->FindClass("java/io/PrintStream") : nullptr;
    // The stream writes, and toString reads, UTF-8: the platform's default charset may be an
    // ANSI code page that has no room for the message's characters.
    jmethodID printConstructor =
        printClass != nullptr ? pEnv->GetMethodID(printClass, "<init>",
                                                  "(Ljava/io/OutputStream;ZLjava/lang/String;)V")
                              : nullptr;
    jstring charset = printConstructor != nullptr ? NewJavaString(u"UTF-8", pEnv) : nullptr;
    jobject print = charset != nullptr
                        ? pEnv->NewObject(printClass, printConstructor, bytes, JNI_FALSE, charset)
                        : nullptr;
    jclass exceptionClass = print != nullptr ? pEnv->GetObjectClass(exception) : nullptr;
    jmethodID printStackTrace =
        exceptionClass != nullptr
            ? pEnv->GetMethodID(exceptionClass, "printStackTrace", "(Ljava/io/PrintStream;)V")
            : nullptr;
    if (printStackTrace != nullptr)
    {
        pEnv->CallVoidMethod(exception, printStackTrace, print);
        DescribePending(pEnv);
        jclass streamClass = pEnv->GetObjectClass(bytes);
        jmethodID toString = streamClass != nullptr
                                 ? pEnv->GetMethodID(streamClass, "toString",
                                                     "(Ljava/lang/String;)Ljava/lang/String;")
                                 : nullptr;
        jstring result =
            toString != nullptr
                ? static_cast<jstring>(pEnv->CallObjectMethod(bytes, toString, charset))
                : nullptr;
        DescribePending(pEnv);
        if (result != nullptr)
            text = StringText(result, pEnv);
    }
    // A step that failed may have left its exception; the thread is about to leave the VM.
    DescribePending(pEnv);
    return text;
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

namespace
{
// True when an exception is pending; the reference ExceptionOccurred hands out is let go.
bool IsExceptionPending(JNIEnv* pEnv)
{
    jthrowable pending = pEnv->ExceptionOccurred();
    if (pending == nullptr)
        return false;
    pEnv->DeleteLocalRef(pending);
    return true;
}

enum EClassLookup
{
    ClassLookupFound,
    ClassLookupNoName,      // no Java string could be made of the name
    ClassLookupNoNameChars, // the name's characters could not be had
    ClassLookupNotFound,
};

// Finds the class by its slash name. FindClass takes modified UTF-8, which the VM makes itself
// from a Java string of the name, so that any Unicode name arrives as written. Only the class
// stays referenced. On failure the VM's exception, if it raised one, stays pending, and for a
// class that was not found askedName, when given, gets the name as FindClass got it.
EClassLookup FindNamedClass(const std::u16string& name, JNIEnv* pEnv, jclass* pClass,
                            std::u16string* pAskedName)
{
    *pClass = nullptr;
    jstring nameString = NewJavaString(name, pEnv);
    if (nameString == nullptr)
        return ClassLookupNoName;
    const char* pNameChars = pEnv->GetStringUTFChars(nameString, nullptr);
    if (pNameChars == nullptr)
    {
        pEnv->DeleteLocalRef(nameString);
        return ClassLookupNoNameChars;
    }
    *pClass = pEnv->FindClass(pNameChars);
    if (*pClass == nullptr && pAskedName != nullptr)
        *pAskedName = DecodeModifiedUtf8(pNameChars);
    pEnv->ReleaseStringUTFChars(nameString, pNameChars);
    pEnv->DeleteLocalRef(nameString);
    return *pClass != nullptr ? ClassLookupFound : ClassLookupNotFound;
}

// CallSecondaryMain once the class is found; an exception is left pending for the caller.
ESecondaryMainResult CallFoundSecondaryMain(jclass mainClassRef,
                                            const std::vector<std::u16string>& arguments,
                                            JNIEnv* pEnv, void (*pfnReply)(void*, jint),
                                            void* pContext)
{
    bool bIntForm = false;
    jmethodID method =
        pEnv->GetStaticMethodID(mainClassRef, "secondaryMain", "([Ljava/lang/String;)V");
    if (method == nullptr)
    {
        // Without the void form the int form is the one sought, and only its absence is news.
        if (IsExceptionPending(pEnv))
            pEnv->ExceptionClear();
        method = pEnv->GetStaticMethodID(mainClassRef, "secondaryMain", "([Ljava/lang/String;)I");
        if (method == nullptr)
            return SecondaryMainNoMethod;
        bIntForm = true;
    }
    jobjectArray argumentArray = NewJavaStringArray(arguments, pEnv);
    if (argumentArray == nullptr)
        return SecondaryMainNoArguments;
    ESecondaryMainResult result = SecondaryMainIntReplied;
    if (bIntForm)
    {
        const jint value = pEnv->CallStaticIntMethod(mainClassRef, method, argumentArray);
        // A value that came with an exception is no answer.
        if (IsExceptionPending(pEnv))
            result = SecondaryMainIntThrew;
        else if (pfnReply != nullptr)
            pfnReply(pContext, value);
    }
    else
    {
        // The later start is answered first: the method may run for as long as it likes.
        if (pfnReply != nullptr)
            pfnReply(pContext, 0);
        pEnv->CallStaticVoidMethod(mainClassRef, method, argumentArray);
        result = IsExceptionPending(pEnv) ? SecondaryMainVoidThrew : SecondaryMainVoidReturned;
    }
    pEnv->DeleteLocalRef(argumentArray);
    return result;
}
} // namespace

SMainCall CallMainMethod(const std::u16string& mainClass,
                         const std::vector<std::u16string>& arguments, JNIEnv* pEnv,
                         void (*pfnBeforeMain)(void*), void* pContext)
{
    SMainCall call = {MainCallReturned, mainClass, nullptr};
    jclass mainClassRef = nullptr;
    switch (FindNamedClass(mainClass, pEnv, &mainClassRef, &call.className))
    {
        case ClassLookupFound:
            break;
        case ClassLookupNoName:
            call.result = MainCallNoClassName;
            return call;
        case ClassLookupNoNameChars:
            pEnv->ExceptionDescribe();
            call.result = MainCallNoNameChars;
            return call;
        case ClassLookupNotFound:
            pEnv->ExceptionDescribe();
            call.result = MainCallClassNotFound;
            return call;
    }

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

ESecondaryMainResult CallSecondaryMain(const std::u16string& mainClass,
                                       const std::vector<std::u16string>& arguments, JNIEnv* pEnv,
                                       void (*pfnReply)(void* pContext, jint value), void* pContext)
{
    ESecondaryMainResult result = SecondaryMainClassNotFound;
    jclass mainClassRef = nullptr;
    switch (FindNamedClass(mainClass, pEnv, &mainClassRef, nullptr))
    {
        case ClassLookupFound:
            result = CallFoundSecondaryMain(mainClassRef, arguments, pEnv, pfnReply, pContext);
            break;
        case ClassLookupNoName:
            result = SecondaryMainNoClassName;
            break;
        case ClassLookupNoNameChars:
            result = SecondaryMainNoNameChars;
            break;
        case ClassLookupNotFound:
            result = SecondaryMainClassNotFound;
            break;
    }
    // The calling thread goes on serving later starts: the VM prints what went wrong, and
    // neither the exception nor a reference is left to pile up.
    if (IsExceptionPending(pEnv))
        pEnv->ExceptionDescribe();
    if (mainClassRef != nullptr)
        pEnv->DeleteLocalRef(mainClassRef);
    return result;
}
