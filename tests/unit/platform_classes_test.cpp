// CString, CByteArray, UnnamedMutex and SharedFile.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "platform/byte_array.h"
#include "platform/cstring.h"
#include "platform/shared_file.h"
#include "platform/unnamed_mutex.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

TEST(CString, BufferKeepsTextAndTakesBackTheLength) {
    CString text("abcdef", 3);
    char* buffer = text.GetBuffer(10);
    EXPECT_STREQ("abc", buffer);
    strcpy(buffer, "0123456789");  // all the promised room: 10 characters and a NUL
    text.ReleaseBuffer();
    EXPECT_STREQ("0123456789", text);
    buffer = text.GetBuffer(2);  // less than the text: the text stays whole
    EXPECT_STREQ("0123456789", buffer);
    buffer[4] = '\0';
    text.ReleaseBuffer(-1);
    EXPECT_EQ(4, text.GetLength());
    memcpy(text.GetBuffer(6), "xyz\0zz", 6);
    text.ReleaseBuffer(5);  // an explicit length keeps what lies past a NUL
    EXPECT_EQ(5, text.GetLength());
    EXPECT_EQ('z', text[4]);
    EXPECT_EQ('\0', text.GetAt(5));
    EXPECT_TRUE(CString(static_cast<const char*>(nullptr)).IsEmpty());
}

TEST(CString, FormatCaseAndComparison) {
    CString text("old");
    text.Format("%d-%s", 42, "x");
    text.AppendFormat("[%05.1f]", 2.25);
    EXPECT_STREQ("42-x[002.2]", text);
    text.Format("%s%s", text.GetString(), text.GetString());  // from its own text
    EXPECT_STREQ("42-x[002.2]42-x[002.2]", text);
    text.Format("%s!", std::string(5000, 'q').c_str());
    EXPECT_EQ(5001, text.GetLength());

    EXPECT_STREQ("AB_Z\xe4", CString("Ab_z\xe4").MakeUpper());  // ASCII letters only
    EXPECT_LT(CString("abc").Compare("abd"), 0);
    EXPECT_GT(CString("\xe4").Compare("a"), 0);  // bytes compare unsigned
    EXPECT_EQ(0, CString("MiXeD").CompareNoCase("mixed"));
    EXPECT_LT(CString("_").CompareNoCase("A"), 0);  // folded to lower case: '_' < 'a'
    EXPECT_TRUE(CString("a") < CString("b"));
    EXPECT_TRUE("x" == CString("x"));
    EXPECT_TRUE(CString("x") != "y");
    EXPECT_STREQ("zabc", 'z' + (CString("a") + "b" + 'c'));
}

TEST(CByteArray, ResizeAndTrim) {
    CByteArray bytes;
    const CByteArray& view = bytes;
    EXPECT_EQ(nullptr, bytes.GetData());
    bytes.SetSize(3);
    bytes[0] = 7;
    bytes.SetSize(5);  // grows with zeros, keeps the start
    EXPECT_EQ(7, bytes.GetData()[0]);
    EXPECT_EQ(0, view[4]);
    EXPECT_EQ(0, view[5]);
    bytes.SetSize(1);
    bytes.FreeExtra();
    EXPECT_EQ(1, bytes.GetSize());
    EXPECT_EQ(7, view.GetData()[0]);
    bytes.SetSize(-4);
    EXPECT_EQ(0, bytes.GetSize());
    EXPECT_EQ(nullptr, bytes.GetData());
    EXPECT_EQ(nullptr, view.GetData());
}

TEST(UnnamedMutex, RecursiveAndExclusive) {
    UnnamedMutex mutex;
    ASSERT_TRUE(mutex.Wait());
    ASSERT_TRUE(mutex.Wait());
    mutex.Release();
    mutex.Release();
    std::atomic<int> inside{0};
    std::atomic<bool> overlapped{false};
    long counter = 0;
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&] {
            for (int i = 0; i < 2000; ++i) {
                mutex.Wait();
                if (inside.fetch_add(1) != 0) overlapped = true;
                ++counter;
                inside.fetch_sub(1);
                mutex.Release();
            }
        });
    }
    for (std::thread& thread : threads) thread.join();
    EXPECT_FALSE(overlapped);
    EXPECT_EQ(8000, counter);
}

TEST(SharedFile, WritesReadsAndTruncates) {
    const std::string path = ::testing::TempDir() + "shared_file_test";
    std::remove(path.c_str());
    EXPECT_FALSE(SharedFile::CanOpenForReading(path.c_str()));
    SharedFile file;
    ASSERT_TRUE(file.CreateForWriting(path.c_str()));
    ASSERT_TRUE(file.WriteAll("hello world", 11));
    file.Close();
    EXPECT_FALSE(file.IsOpen());
    ASSERT_TRUE(file.OpenForReading(path.c_str()));
    uint32_t size = 0;
    ASSERT_TRUE(file.GetSize(&size));
    EXPECT_EQ(11u, size);
    char text[12] = {};
    ASSERT_TRUE(file.ReadExactly(text, 5));
    EXPECT_STREQ("hello", text);
    EXPECT_FALSE(file.ReadExactly(text, 7));           // only 6 bytes remain
    EXPECT_FALSE(file.WriteAll("x", 1));               // open for reading only
    ASSERT_TRUE(file.CreateForWriting(path.c_str()));  // closes the reader, cuts the file
    ASSERT_TRUE(file.GetSize(&size));
    EXPECT_EQ(0u, size);
    file.Close();
    std::remove(path.c_str());
}

TEST(SharedFile, RefusesWhatIsNotARegularFile) {
    SharedFile file;
    EXPECT_FALSE(file.OpenForReading(""));
    EXPECT_FALSE(file.OpenForReading(nullptr));
    EXPECT_FALSE(SharedFile::CanOpenForReading(::testing::TempDir().c_str()));
    EXPECT_FALSE(file.CreateForWriting(::testing::TempDir().c_str()));
    uint32_t size = 0;
    EXPECT_FALSE(file.GetSize(&size));
    EXPECT_FALSE(file.ReadExactly(&size, 1));
#ifndef _WIN32
    EXPECT_FALSE(SharedFile::CanOpenForReading("/dev/null"));
    // A FIFO without a writer would block an ordinary open for reading.
    const std::string fifo = ::testing::TempDir() + "shared_file_fifo";
    std::remove(fifo.c_str());
    ASSERT_EQ(0, mkfifo(fifo.c_str(), 0600));
    EXPECT_FALSE(file.OpenForReading(fifo.c_str()));
    EXPECT_FALSE(file.CreateForWriting(fifo.c_str()));
    std::remove(fifo.c_str());
#endif
}
