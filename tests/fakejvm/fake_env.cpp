// The stand-in's JNIEnv: the functions the launcher calls, checked strictly. Every other
// slot ends the process with its name.
#include "fake_vm.h"

#include <cstdarg>
#include <cstring>
#include <set>
#include <utility>

#include "jni_slot_names.h"

namespace
{
struct SMethod
{
    const char* pClass;
    const char* pName;
    const char* pSignature;
    bool bStatic;
};

const SMethod kMethods[] = {
    {"java/lang/String", "<init>", "([C)V", false},
    {"java/lang/System", "exit", "(I)V", true},
    {"java/lang/System", "setOut", "(Ljava/io/PrintStream;)V", true},
    {"java/lang/System", "setErr", "(Ljava/io/PrintStream;)V", true},
    {"java/io/FileOutputStream", "<init>", "(Ljava/lang/String;)V", false},
    {"java/io/PrintStream", "<init>", "(Ljava/io/OutputStream;)V", false},
    {"java/io/PrintStream", "<init>", "(Ljava/io/OutputStream;ZLjava/lang/String;)V", false},
    {"java/io/ByteArrayOutputStream", "<init>", "()V", false},
    {"java/io/ByteArrayOutputStream", "toString", "(Ljava/lang/String;)Ljava/lang/String;", false},
    // Every throwable's class answers as java/lang/Throwable here.
    {"java/lang/Throwable", "printStackTrace", "(Ljava/io/PrintStream;)V", false},
};
// The methods of scripted classes; which of them a class has is up to its script.
const SMethod kMainMethod = {"scripted/*", "main", "([Ljava/lang/String;)V", true};
const SMethod kSecondaryVoid = {"scripted/*", "secondaryMain", "([Ljava/lang/String;)V", true};
const SMethod kSecondaryInt = {"scripted/*", "secondaryMain", "([Ljava/lang/String;)I", true};

const char* const kJdkClasses[] = {"java/lang/String", "java/lang/System",
                                   "java/io/FileOutputStream", "java/io/PrintStream",
                                   "java/io/ByteArrayOutputStream"};

// Under CVmLock.
std::set<const char*>& UtfChars()
{
    static std::set<const char*> s_chars;
    return s_chars;
}

void CheckThread(const char* pWhere)
{
    if (!IsVmThread())
        Fail(std::string(pWhere) + ": JNIEnv used on a thread it does not belong to");
}

bool IsJdkClass(const std::string& name)
{
    for (const char* pName : kJdkClasses)
    {
        if (name == pName)
            return true;
    }
    return false;
}

jclass JNICALL FindClass(JNIEnv*, const char* pName)
{
    CheckThread("FindClass");
    if (pName == nullptr)
        Fail("FindClass: null name");
    const std::string name = pName;
    if (name.find('.') != std::string::npos)
        Fail("FindClass: class name not in slash form: " + name);
    if (!IsJdkClass(name) && !IsScriptedClass(name))
    {
        SetPending("java.lang.NoClassDefFoundError", std::u16string(name.begin(), name.end()));
        return nullptr;
    }
    // A new local reference each time, so that one thread deleting its reference leaves the
    // others' references to the same class alive.
    return reinterpret_cast<jclass>(NewFakeObject(ObjectClass, name));
}

jmethodID LookUpMethod(jclass cls, const char* pName, const char* pSignature, bool bStatic,
                       const char* pWhere)
{
    CheckThread(pWhere);
    SObject* pClass = Checked(cls, ObjectClass, pWhere);
    if (pName == nullptr || pSignature == nullptr)
        Fail(std::string(pWhere) + ": null name or signature");
    for (const SMethod& method : kMethods)
    {
        if (pClass->name == method.pClass && strcmp(pName, method.pName) == 0 &&
            strcmp(pSignature, method.pSignature) == 0 && bStatic == method.bStatic)
            return reinterpret_cast<jmethodID>(const_cast<SMethod*>(&method));
    }
    if (IsScriptedClass(pClass->name) && bStatic && strcmp(pName, "main") == 0)
    {
        if (pClass->name == "scripted/NoMainQuiet")
            return nullptr;
        if (pClass->name != "scripted/NoMain" && strcmp(pSignature, kMainMethod.pSignature) == 0)
            return reinterpret_cast<jmethodID>(const_cast<SMethod*>(&kMainMethod));
        SetPending("java.lang.NoSuchMethodError", u"main");
        return nullptr;
    }
    if (IsScriptedClass(pClass->name) && bStatic && strcmp(pName, "secondaryMain") == 0)
    {
        // The launcher asks for the int form after the void form failed: it must have cleared
        // that failure first.
        if (PendingException() != nullptr)
            Fail(std::string(pWhere) + ": secondaryMain looked up with an exception pending");
        const ESecondaryForm form = SecondaryFormOf(pClass->name);
        if (form == SecondaryVoid && strcmp(pSignature, kSecondaryVoid.pSignature) == 0)
            return reinterpret_cast<jmethodID>(const_cast<SMethod*>(&kSecondaryVoid));
        if (form == SecondaryInt && strcmp(pSignature, kSecondaryInt.pSignature) == 0)
            return reinterpret_cast<jmethodID>(const_cast<SMethod*>(&kSecondaryInt));
        SetPending("java.lang.NoSuchMethodError", u"secondaryMain");
        return nullptr;
    }
    Fail(std::string(pWhere) + ": the launcher has no business with " + pClass->name + "." + pName +
         pSignature);
}

jmethodID JNICALL GetMethodID(JNIEnv*, jclass cls, const char* pName, const char* pSignature)
{
    return LookUpMethod(cls, pName, pSignature, false, "GetMethodID");
}

jmethodID JNICALL GetStaticMethodID(JNIEnv*, jclass cls, const char* pName, const char* pSignature)
{
    return LookUpMethod(cls, pName, pSignature, true, "GetStaticMethodID");
}

const SMethod* CheckedMethod(jclass cls, jmethodID methodId, bool bStatic, const char* pWhere)
{
    SObject* pClass = Checked(cls, ObjectClass, pWhere);
    const SMethod* pMethod = reinterpret_cast<const SMethod*>(methodId);
    if (pMethod == nullptr)
        Fail(std::string(pWhere) + ": null method");
    const bool bScripted = IsScriptedClass(pClass->name);
    if (pMethod == &kMainMethod || pMethod == &kSecondaryVoid || pMethod == &kSecondaryInt)
    {
        const bool bHasIt =
            bScripted && (pMethod == &kMainMethod ||
                          SecondaryFormOf(pClass->name) ==
                              (pMethod == &kSecondaryVoid ? SecondaryVoid : SecondaryInt));
        if (!bHasIt)
            Fail(std::string(pWhere) + ": method of another class");
    }
    else if (pClass->name != pMethod->pClass)
        Fail(std::string(pWhere) + ": method of another class");
    if (pMethod->bStatic != bStatic)
        Fail(std::string(pWhere) + ": static and instance methods mixed up");
    if (PendingException() != nullptr)
        Fail(std::string(pWhere) + ": called with an exception pending");
    return pMethod;
}

HANDLE OpenForWriting(const std::u16string& path)
{
    return CreateFileW(reinterpret_cast<const wchar_t*>(path.c_str()), GENERIC_WRITE,
                       FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, CREATE_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

jobject JNICALL NewObjectV(JNIEnv*, jclass cls, jmethodID methodId, va_list args)
{
    CheckThread("NewObject");
    const SMethod* pMethod = CheckedMethod(cls, methodId, false, "NewObject");
    if (strcmp(pMethod->pName, "<init>") != 0)
        Fail("NewObject: not a constructor");
    const std::string className = pMethod->pClass;
    if (className == "java/lang/String")
    {
        SObject* pChars = Checked(va_arg(args, jcharArray), ObjectCharArray, "new String(char[])");
        SObject* pString = NewFakeObject(ObjectString, className);
        pString->text = pChars->text;
        return reinterpret_cast<jobject>(pString);
    }
    if (className == "java/io/FileOutputStream")
    {
        SObject* pPath =
            Checked(va_arg(args, jstring), ObjectString, "new FileOutputStream(String)");
        HANDLE hFile = OpenForWriting(pPath->text);
        if (hFile == INVALID_HANDLE_VALUE)
        {
            SetPending("java.io.FileNotFoundException", pPath->text + u" (cannot be opened)");
            return nullptr;
        }
        SObject* pStream = NewFakeObject(ObjectFileStream, className);
        pStream->hFile = hFile;
        return reinterpret_cast<jobject>(pStream);
    }
    if (className == "java/io/ByteArrayOutputStream")
        return reinterpret_cast<jobject>(NewFakeObject(ObjectByteStream, className));
    if (strcmp(pMethod->pSignature, "(Ljava/io/OutputStream;)V") == 0)
    {
        SObject* pFileStream =
            Checked(va_arg(args, jobject), ObjectFileStream, "new PrintStream(OutputStream)");
        SObject* pPrintStream = NewFakeObject(ObjectPrintStream, className);
        pPrintStream->hFile = pFileStream->hFile;
        return reinterpret_cast<jobject>(pPrintStream);
    }
    const char* pWhere = "new PrintStream(OutputStream, boolean, String)";
    SObject* pBytes = Checked(va_arg(args, jobject), ObjectByteStream, pWhere);
    va_arg(args, int); // autoFlush
    SObject* pCharset = Checked(va_arg(args, jstring), ObjectString, pWhere);
    SObject* pPrintStream = NewFakeObject(ObjectPrintStream, className);
    pPrintStream->items.push_back(pBytes);
    pPrintStream->text = pCharset->text;
    return reinterpret_cast<jobject>(pPrintStream);
}

// The text as a charset without room for it would pass it: what is not ASCII becomes '?'.
// Only "UTF-8" keeps every character here.
std::u16string ThroughCharset(const std::u16string& text, const std::u16string& charset)
{
    if (charset == u"UTF-8")
        return text;
    std::u16string narrowed = text;
    for (char16_t& c : narrowed)
    {
        if (c >= 0x80)
            c = u'?';
    }
    return narrowed;
}

jclass JNICALL GetObjectClass(JNIEnv*, jobject object)
{
    CheckThread("GetObjectClass");
    const EObjectKind kind = CheckedAnyKind(object, "GetObjectClass")->kind;
    if (kind != ObjectThrowable && kind != ObjectByteStream)
        Fail("GetObjectClass: the launcher has no business with the class of this object");
    return reinterpret_cast<jclass>(
        NewFakeObject(ObjectClass, kind == ObjectThrowable ? "java/lang/Throwable"
                                                           : "java/io/ByteArrayOutputStream"));
}

// The object an instance method is called on, checked with the method.
SObject* CheckedInstanceCall(jobject object, EObjectKind kind, jmethodID methodId,
                             const char* pClass, const char* pName, const char* pWhere)
{
    SObject* pObject = Checked(object, kind, pWhere);
    const SMethod* pMethod = reinterpret_cast<const SMethod*>(methodId);
    if (pMethod == nullptr || strcmp(pMethod->pClass, pClass) != 0 ||
        strcmp(pMethod->pName, pName) != 0 || pMethod->bStatic)
        Fail(std::string(pWhere) + ": not the method of " + pObject->name);
    if (PendingException() != nullptr)
        Fail(std::string(pWhere) + ": called with an exception pending");
    return pObject;
}

// Throwable.printStackTrace(PrintStream) onto a byte stream, with Windows line ends.
void JNICALL CallVoidMethodV(JNIEnv*, jobject object, jmethodID methodId, va_list args)
{
    CheckThread("CallVoidMethod");
    const char* pWhere = "CallVoidMethod";
    SObject* pThrowable = CheckedInstanceCall(object, ObjectThrowable, methodId,
                                              "java/lang/Throwable", "printStackTrace", pWhere);
    SObject* pPrint = Checked(va_arg(args, jobject), ObjectPrintStream, pWhere);
    if (pPrint->items.empty())
        Fail("printStackTrace: the stack trace was to go to a byte stream");
    std::string trace = pThrowable->trace;
    std::u16string text = std::u16string(pThrowable->name.begin(), pThrowable->name.end());
    if (!pThrowable->text.empty())
        text += u": " + pThrowable->text;
    text += u"\r\n";
    for (char c : trace)
        text += c == '\n' ? std::u16string(u"\r\n") : std::u16string(1, static_cast<char16_t>(c));
    pPrint->items[0]->text += ThroughCharset(text, pPrint->text);
}

// ByteArrayOutputStream.toString(String charsetName).
jobject JNICALL CallObjectMethodV(JNIEnv*, jobject object, jmethodID methodId, va_list args)
{
    CheckThread("CallObjectMethod");
    const char* pWhere = "CallObjectMethod";
    SObject* pBytes = CheckedInstanceCall(object, ObjectByteStream, methodId,
                                          "java/io/ByteArrayOutputStream", "toString", pWhere);
    SObject* pCharset = Checked(va_arg(args, jstring), ObjectString, pWhere);
    SObject* pString = NewFakeObject(ObjectString, "java/lang/String");
    pString->text = ThroughCharset(pBytes->text, pCharset->text);
    return reinterpret_cast<jobject>(pString);
}

// The texts of a String[] argument, every element set.
std::vector<std::u16string> StringArguments(jobjectArray array, const char* pWhere)
{
    SObject* pArray = Checked(array, ObjectArray, pWhere);
    std::vector<std::u16string> arguments;
    for (SObject* pItem : pArray->items)
    {
        if (pItem == nullptr)
            Fail(std::string(pWhere) + ": array element never set");
        arguments.push_back(pItem->text);
    }
    return arguments;
}

bool ReturnsVoid(const SMethod* pMethod)
{
    const size_t length = strlen(pMethod->pSignature);
    return pMethod->pSignature[length - 1] == 'V';
}

void JNICALL CallStaticVoidMethodV(JNIEnv*, jclass cls, jmethodID methodId, va_list args)
{
    CheckThread("CallStaticVoidMethod");
    const SMethod* pMethod = CheckedMethod(cls, methodId, true, "CallStaticVoidMethod");
    if (!ReturnsVoid(pMethod))
        Fail("CallStaticVoidMethod: the method does not return void");
    const std::string className = Checked(cls, ObjectClass, "CallStaticVoidMethod")->name;
    if (pMethod == &kMainMethod)
    {
        RunScript(className, StringArguments(va_arg(args, jobjectArray), "main(String[])"));
        return;
    }
    if (pMethod == &kSecondaryVoid)
    {
        RunSecondaryScript(className,
                           StringArguments(va_arg(args, jobjectArray), "secondaryMain(String[])"));
        return;
    }
    const std::string name = pMethod->pName;
    if (name == "exit")
    {
        JavaExit(va_arg(args, jint));
    }
    SObject* pStream = Checked(va_arg(args, jobject), ObjectPrintStream, "System.setOut/setErr");
    CVmLock lock;
    (name == "setOut" ? g_vm.hOut : g_vm.hErr) = pStream->hFile;
}

jint JNICALL CallStaticIntMethodV(JNIEnv*, jclass cls, jmethodID methodId, va_list args)
{
    CheckThread("CallStaticIntMethod");
    const SMethod* pMethod = CheckedMethod(cls, methodId, true, "CallStaticIntMethod");
    if (pMethod != &kSecondaryInt)
        Fail("CallStaticIntMethod: the method does not return int");
    const std::string className = Checked(cls, ObjectClass, "CallStaticIntMethod")->name;
    return RunSecondaryScript(
        className, StringArguments(va_arg(args, jobjectArray), "secondaryMain(String[])"));
}

jthrowable JNICALL ExceptionOccurred(JNIEnv*)
{
    CheckThread("ExceptionOccurred");
    SObject* pPending = PendingException();
    if (pPending == nullptr)
        return nullptr;
    // A new local reference each time: deleting it leaves the exception pending and usable.
    SObject* pThrowable = NewFakeObject(ObjectThrowable, pPending->name);
    pThrowable->text = pPending->text;
    pThrowable->trace = pPending->trace;
    return reinterpret_cast<jthrowable>(pThrowable);
}

void JNICALL ExceptionDescribe(JNIEnv*)
{
    CheckThread("ExceptionDescribe");
    SObject* pThrowable = PendingException();
    if (pThrowable == nullptr)
        return;
    std::string text = "Exception in thread \"" + JavaThreadName() + "\" " + pThrowable->name;
    if (!pThrowable->text.empty())
        text += ": " + ToUtf8(pThrowable->text);
    text += "\n" + pThrowable->trace;
    WriteStream(true, text);
    ClearPending();
}

void JNICALL ExceptionClear(JNIEnv*)
{
    CheckThread("ExceptionClear");
    ClearPending();
}

jcharArray JNICALL NewCharArray(JNIEnv*, jsize length)
{
    CheckThread("NewCharArray");
    if (length < 0)
        Fail("NewCharArray: negative length");
    if (!OptionValue("fakejvm.nostrings").empty())
    {
        SetPending("java.lang.OutOfMemoryError", u"Java heap space");
        return nullptr;
    }
    SObject* pArray = NewFakeObject(ObjectCharArray, "[C");
    pArray->text.assign(static_cast<size_t>(length), u'\0');
    return reinterpret_cast<jcharArray>(pArray);
}

void JNICALL SetCharArrayRegion(JNIEnv*, jcharArray array, jsize start, jsize length,
                                const jchar* pChars)
{
    CheckThread("SetCharArrayRegion");
    SObject* pArray = Checked(array, ObjectCharArray, "SetCharArrayRegion");
    if (start < 0 || length < 0 || static_cast<size_t>(start) + length > pArray->text.size())
        Fail("SetCharArrayRegion: region outside the array");
    if (length > 0 && pChars == nullptr)
        Fail("SetCharArrayRegion: null characters");
    for (jsize i = 0; i < length; ++i)
        pArray->text[start + i] = static_cast<char16_t>(pChars[i]);
}

jobjectArray JNICALL NewObjectArray(JNIEnv*, jsize length, jclass elementClass, jobject initial)
{
    CheckThread("NewObjectArray");
    SObject* pClass = Checked(elementClass, ObjectClass, "NewObjectArray");
    if (pClass->name != "java/lang/String")
        Fail("NewObjectArray: element class is not java/lang/String");
    if (length < 0 || initial != nullptr)
        Fail("NewObjectArray: negative length or an initial element");
    if (!OptionValue("fakejvm.noarrays").empty())
    {
        SetPending("java.lang.OutOfMemoryError", u"Java heap space");
        return nullptr;
    }
    SObject* pArray = NewFakeObject(ObjectArray, "[Ljava/lang/String;");
    pArray->items.assign(static_cast<size_t>(length), nullptr);
    return reinterpret_cast<jobjectArray>(pArray);
}

void JNICALL SetObjectArrayElement(JNIEnv*, jobjectArray array, jsize index, jobject value)
{
    CheckThread("SetObjectArrayElement");
    SObject* pArray = Checked(array, ObjectArray, "SetObjectArrayElement");
    if (index < 0 || static_cast<size_t>(index) >= pArray->items.size())
        Fail("SetObjectArrayElement: index outside the array");
    pArray->items[index] = Checked(value, ObjectString, "SetObjectArrayElement");
}

void JNICALL DeleteLocalRef(JNIEnv*, jobject reference)
{
    CheckThread("DeleteLocalRef");
    if (reference == nullptr)
        return;
    DeleteReference(reference, "DeleteLocalRef");
}

const char* JNICALL GetStringUTFChars(JNIEnv*, jstring string, jboolean* pIsCopy)
{
    CheckThread("GetStringUTFChars");
    if (pIsCopy != nullptr)
        Fail("GetStringUTFChars: the launcher does not ask for the copy flag");
    SObject* pString = Checked(string, ObjectString, "GetStringUTFChars");
    std::string modified;
    for (char16_t c : pString->text)
    {
        if (c != 0 && c < 0x80)
            modified += static_cast<char>(c);
        else if (c < 0x800)
        {
            modified += static_cast<char>(0xC0 | (c >> 6));
            modified += static_cast<char>(0x80 | (c & 0x3F));
        }
        else
        {
            modified += static_cast<char>(0xE0 | (c >> 12));
            modified += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            modified += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    char* pChars = new char[modified.size() + 1];
    memcpy(pChars, modified.c_str(), modified.size() + 1);
    CVmLock lock;
    UtfChars().insert(pChars);
    return pChars;
}

void JNICALL ReleaseStringUTFChars(JNIEnv*, jstring string, const char* pChars)
{
    CheckThread("ReleaseStringUTFChars");
    Checked(string, ObjectString, "ReleaseStringUTFChars");
    CVmLock lock;
    if (UtfChars().erase(pChars) == 0)
        Fail("ReleaseStringUTFChars: characters not from GetStringUTFChars, or released twice");
    delete[] pChars;
}

// One stub per slot, so that a call of a slot the stand-in lacks names it.
template <int N> void JNICALL Unimplemented()
{
    Fail(std::string("JNIEnv function not implemented by the stand-in: ") + kJniSlotNames[N]);
}

template <int... N> void FillUnimplemented(void** pSlots, std::integer_sequence<int, N...>)
{
    ((pSlots[N] = reinterpret_cast<void*>(&Unimplemented<N>)), ...);
}

template <typename T> void Put(void** pSlots, T JNINativeInterface_::*pMember, T function)
{
    JNINativeInterface_ probe;
    const size_t index = static_cast<size_t>(reinterpret_cast<char*>(&(probe.*pMember)) -
                                             reinterpret_cast<char*>(&probe)) /
                         sizeof(void*);
    pSlots[index] = reinterpret_cast<void*>(function);
}
} // namespace

static_assert(sizeof(JNINativeInterface_) == kJniSlotCount * sizeof(void*),
              "the slot names match the function table");

JNIEnv* FakeEnv()
{
    static void* s_slots[kJniSlotCount];
    static JNIEnv s_env;
    static bool s_bReady = false;
    if (!s_bReady)
    {
        FillUnimplemented(s_slots, std::make_integer_sequence<int, kJniSlotCount>());
        Put(s_slots, &JNINativeInterface_::FindClass, &FindClass);
        Put(s_slots, &JNINativeInterface_::GetMethodID, &GetMethodID);
        Put(s_slots, &JNINativeInterface_::GetStaticMethodID, &GetStaticMethodID);
        Put(s_slots, &JNINativeInterface_::NewObjectV, &NewObjectV);
        Put(s_slots, &JNINativeInterface_::GetObjectClass, &GetObjectClass);
        Put(s_slots, &JNINativeInterface_::CallVoidMethodV, &CallVoidMethodV);
        Put(s_slots, &JNINativeInterface_::CallObjectMethodV, &CallObjectMethodV);
        Put(s_slots, &JNINativeInterface_::CallStaticVoidMethodV, &CallStaticVoidMethodV);
        Put(s_slots, &JNINativeInterface_::CallStaticIntMethodV, &CallStaticIntMethodV);
        Put(s_slots, &JNINativeInterface_::ExceptionOccurred, &ExceptionOccurred);
        Put(s_slots, &JNINativeInterface_::ExceptionDescribe, &ExceptionDescribe);
        Put(s_slots, &JNINativeInterface_::ExceptionClear, &ExceptionClear);
        Put(s_slots, &JNINativeInterface_::NewCharArray, &NewCharArray);
        Put(s_slots, &JNINativeInterface_::SetCharArrayRegion, &SetCharArrayRegion);
        Put(s_slots, &JNINativeInterface_::NewObjectArray, &NewObjectArray);
        Put(s_slots, &JNINativeInterface_::SetObjectArrayElement, &SetObjectArrayElement);
        Put(s_slots, &JNINativeInterface_::DeleteLocalRef, &DeleteLocalRef);
        Put(s_slots, &JNINativeInterface_::GetStringUTFChars, &GetStringUTFChars);
        Put(s_slots, &JNINativeInterface_::ReleaseStringUTFChars, &ReleaseStringUTFChars);
        s_env.functions = reinterpret_cast<const JNINativeInterface_*>(s_slots);
        s_bReady = true;
    }
    return &s_env;
}
