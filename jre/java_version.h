// A Java version number: four signed 32-bit parts and the count of parts that were read.
#ifndef JVMHOST_JAVA_VERSION_H
#define JVMHOST_JAVA_VERSION_H

class CJavaVersion
{
public:
    CJavaVersion() { Clear(); }

    void Clear()
    {
        for (int i = 0; i < kPartCount; ++i)
            m_parts[i] = 0;
        m_count = 0;
    }

    static const int kPartCount = 4;

    int m_parts[kPartCount];
    int m_count;
};

#endif
