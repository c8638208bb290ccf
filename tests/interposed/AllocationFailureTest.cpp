// Loading and saving a settings file while one allocation after another fails. The N-th
// allocation of the armed thread throws std::bad_alloc, everything else allocates as usual.
#include "link/MidiChart.h"
#include "link/QexParameterStore.h"
#include "link/SettingsFile.h"
#include "support/TempFolder.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <new>

namespace
{
thread_local long allocationsBeforeFailure = -1; // -1: none fails
thread_local bool failureInjected = false;

void* allocate (std::size_t size)
{
    if (allocationsBeforeFailure == 0)
    {
        allocationsBeforeFailure = -1;
        failureInjected = true;
        throw std::bad_alloc();
    }

    if (allocationsBeforeFailure > 0)
        --allocationsBeforeFailure;

    if (auto* p = std::malloc (size == 0 ? 1 : size))
        return p;

    throw std::bad_alloc();
}
} // namespace

void* operator new (std::size_t size)
{
    return allocate (size);
}
void* operator new[] (std::size_t size)
{
    return allocate (size);
}
void operator delete (void* p) noexcept
{
    std::free (p);
}
void operator delete[] (void* p) noexcept
{
    std::free (p);
}
void operator delete (void* p, std::size_t) noexcept
{
    std::free (p);
}
void operator delete[] (void* p, std::size_t) noexcept
{
    std::free (p);
}

namespace
{
bool sameSettings (const QexParameterStore::State& a, const QexParameterStore::State& b)
{
    return a.maps.itemParams == b.maps.itemParams && a.globals == b.globals && a.curves == b.curves;
}
} // namespace

TEST (LoadUnderAllocationFailure, ALoadHappensWholeOrChangesNothing)
{
    const std::string body = R"(<S><Items><Item ID="200" Num="99" Mode="2"/><Item ID="1" Num="5"/>)"
                             R"(<Item ID="0x70" Option="3"/></Items><Globals><Param ID="6" Value="4"/>)"
                             R"(</Globals><Curves><Param ID="2" Value="-1"/></Curves></S>)";
    const struct
    {
        const char* label;
        std::string text;
    } files[] = {
        {"UTF-8", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>" + body},
        {"latin1", "<?xml version=\"1.0\" encoding=\"latin1\"?><!-- r\xe9glages -->" + body},
    };

    TempFolder temp;

    for (const auto& file : files)
    {
        const auto path = temp.file ("settings.quill25");
        ASSERT_TRUE (path.replaceWithData (file.text.data(), file.text.size()));
        QexParameterStore expected;
        ASSERT_TRUE (SettingsFile::load (expected, path)) << file.label;
        const auto before = QexParameterStore().snapshotState();
        const auto after = expected.snapshotState();
        ASSERT_FALSE (sameSettings (before, after));

        for (long n = 0;; ++n)
        {
            QexParameterStore store;
            bool loaded = false;
            failureInjected = false;
            allocationsBeforeFailure = n;
            EXPECT_NO_THROW (loaded = SettingsFile::load (store, path)) << file.label << ", allocation " << n;
            allocationsBeforeFailure = -1;

            EXPECT_TRUE (sameSettings (store.snapshotState(), loaded ? after : before))
                << file.label << ", allocation " << n;

            if (!failureInjected)
            {
                EXPECT_TRUE (loaded) << file.label;
                EXPECT_GT (n, 20) << file.label; // the loading did allocate
                break;
            }
        }
    }
}

TEST (SaveUnderAllocationFailure, ASaveHappensWholeOrLeavesTheFileAsItWas)
{
    QexParameterStore store;
    store.resetMappingToDefault();
    const struct
    {
        const char* label;
        bool (*save) (const QexParameterStore&, const juce::File&);
    } writers[] = {
        {"settings", &SettingsFile::save},
        {"chart", &MidiChart::generate},
    };

    TempFolder temp;
    const auto file = temp.file ("saved");

    for (const auto& writer : writers)
    {
        // The first save makes what the program makes once, whose loss would be no leak.
        ASSERT_TRUE (writer.save (store, file));

        for (long n = 0;; ++n)
        {
            ASSERT_TRUE (file.replaceWithText ("old"));
            bool saved = false;
            failureInjected = false;
            allocationsBeforeFailure = n;
            EXPECT_NO_THROW (saved = writer.save (store, file)) << writer.label << ", allocation " << n;
            allocationsBeforeFailure = -1;

            EXPECT_EQ (saved, !failureInjected) << writer.label << ", allocation " << n;
            EXPECT_EQ (file.loadFileAsString() == "old", failureInjected)
                << writer.label << ", allocation " << n;
            EXPECT_EQ (temp.folder().getNumberOfChildFiles (juce::File::findFilesAndDirectories, "*"), 1);

            if (!failureInjected)
            {
                EXPECT_GT (n, 20) << writer.label; // the saving did allocate
                break;
            }
        }
    }
}
