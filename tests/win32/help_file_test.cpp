// The built help file, read the way the help viewer reads it: through the
// InfoTech storage of the system, its context map (#IVB: id and offset pairs
// into #STRINGS) and the pages the map points to.
#include <windows.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace lexidrop {

// The InfoTech storage system's entry interface (only the methods used here
// are called; the others keep the slots in order). Declared outside the
// anonymous namespace: a class of internal linkage whose functions are all
// pure lets the compiler assume that its calls are never made.
struct IITStorage : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE StgCreateDocfile(const WCHAR*, DWORD, DWORD, IStorage**) = 0;
    virtual HRESULT STDMETHODCALLTYPE StgCreateDocfileOnILockBytes(ILockBytes*, DWORD, DWORD, IStorage**) = 0;
    virtual HRESULT STDMETHODCALLTYPE StgIsStorageFile(const WCHAR*) = 0;
    virtual HRESULT STDMETHODCALLTYPE StgIsStorageILockBytes(ILockBytes*) = 0;
    virtual HRESULT STDMETHODCALLTYPE StgOpenStorage(const WCHAR*, IStorage*, DWORD, SNB, DWORD,
                                                     IStorage**) = 0;
};

namespace {

const CLSID kItStorageClass = {0x5d02926a, 0x212e, 0x11d0, {0x9d, 0xf9, 0x00, 0xa0, 0xc9, 0x22, 0xe6, 0xec}};
const IID kItStorageInterface = {
    0x88cc31de, 0x27ab, 0x11d0, {0x9d, 0xf9, 0x00, 0xa0, 0xc9, 0x22, 0xe6, 0xec}};

template <class T>
class ComPtr {
public:
    ComPtr() = default;
    ~ComPtr() { Reset(); }
    void Reset()
    {
        if (p_) p_->Release();
        p_ = nullptr;
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    T** Out() { return &p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }

private:
    T* p_ = nullptr;
};

std::wstring HelpFilePath()
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    folder.erase(folder.find_last_of(L'\\') + 1);
    return folder + L"Lexidrop.chm";
}

// The whole content of a stream of the help file; empty when it is missing.
std::vector<char> ReadStream(IStorage* storage, const wchar_t* name)
{
    std::vector<char> data;
    ComPtr<IStream> stream;
    if (FAILED(storage->OpenStream(name, nullptr, STGM_READ, 0, stream.Out()))) return data;
    char buffer[4096];
    ULONG read = 0;
    while (SUCCEEDED(stream->Read(buffer, sizeof buffer, &read)) && read > 0) {
        data.insert(data.end(), buffer, buffer + read);
    }
    return data;
}

class HelpFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
        ASSERT_TRUE(
            SUCCEEDED(CoCreateInstance(kItStorageClass, nullptr, CLSCTX_INPROC_SERVER, kItStorageInterface,
                                       reinterpret_cast<void**>(system_.Out()))));
        ASSERT_TRUE(SUCCEEDED(system_->StgOpenStorage(
            HelpFilePath().c_str(), nullptr, STGM_READ | STGM_SHARE_DENY_WRITE, nullptr, 0, file_.Out())));
    }
    void TearDown() override
    {
        // Released while the storage library is still loaded.
        file_.Reset();
        system_.Reset();
        CoUninitialize();
    }

    // Context id -> topic, as the help viewer resolves it.
    std::map<std::uint32_t, std::string> ContextMap()
    {
        std::map<std::uint32_t, std::string> map;
        const std::vector<char> ids = ReadStream(file_.operator->(), L"#IVB");
        const std::vector<char> strings = ReadStream(file_.operator->(), L"#STRINGS");
        if (ids.size() < 4) return map;
        std::uint32_t size = 0;
        std::memcpy(&size, ids.data(), 4);
        for (std::size_t at = 4; at + 8 <= ids.size() && at + 8 <= 4 + size; at += 8) {
            std::uint32_t id = 0;
            std::uint32_t offset = 0;
            std::memcpy(&id, ids.data() + at, 4);
            std::memcpy(&offset, ids.data() + at + 4, 4);
            if (offset < strings.size()) map[id] = std::string(strings.data() + offset);
        }
        return map;
    }

    ComPtr<IITStorage> system_;
    ComPtr<IStorage> file_;
};

TEST_F(HelpFileTest, ContextIdsPointToPagesInsideTheFile)
{
    const std::map<std::uint32_t, std::string> map = ContextMap();
    ASSERT_EQ(map.size(), 2u);
    EXPECT_EQ(map.at(2), "/index.html");
    EXPECT_EQ(map.at(14), "/settings.html");
    for (const wchar_t* page :
         {L"index.html", L"settings.html", L"hotkeys.html", L"tray.html", L"style.css"}) {
        EXPECT_FALSE(ReadStream(file_.operator->(), page).empty());
    }
    const std::vector<char> settings = ReadStream(file_.operator->(), L"settings.html");
    const std::string text(settings.begin(), settings.end());
    // The page is stored as written, in UTF-8.
    EXPECT_NE(text.find(reinterpret_cast<const char*>(u8"最大表示行数")), std::string::npos);
}

}  // namespace
}  // namespace lexidrop
