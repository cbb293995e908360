// Reading exported records word by word, as a host reads the 32-bit format. For
// the tests that check every word of a gauge's records in the 32-bit build.
#pragma once

#include "gauge_abi.h"
#include "module_library.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <set>
#include <string>

// A test of Marlow_Instr's records: the module opened as the host opens it and its
// Linkage record as words. Skipped outside the 32-bit build, whose layout it reads.
template <typename Base = ::testing::Test> class MarlowWordsTest : public Base {
  protected:
    void SetUp() override {
#if !GAUGE_ABI_32BIT
        GTEST_SKIP() << "the word layout is the 32-bit build's";
#else
        std::string error;
        library = panelhost::open_module_library(MARLOW_MODULE_PATH, error);
        ASSERT_TRUE(library) << error;
        linkage = static_cast<const uint32_t*>(library->symbol("Linkage"));
        ASSERT_TRUE(linkage);
#endif
    }

    std::unique_ptr<panelhost::ModuleLibrary> library;
    const uint32_t* linkage = nullptr;
};

#if GAUGE_ABI_32BIT

using Words = const uint32_t*;

inline Words words(uint32_t pointer_word) {
    return reinterpret_cast<Words>(static_cast<uintptr_t>(pointer_word));
}

inline double double_at(Words record, size_t word) {
    double value;
    std::memcpy(&value, record + word, sizeof value);
    return value;
}

inline std::string string_at(uint32_t pointer_word) {
    return reinterpret_cast<const char*>(static_cast<uintptr_t>(pointer_word));
}

// A linkage's first six words: module id 0x13, the init and fini routines, two zero
// words (flags, priority) and the module's version.
inline void expect_linkage_head(Words linkage, uint32_t version) {
    EXPECT_EQ(linkage[0], 0x13u) << "module id";
    EXPECT_NE(linkage[1], 0u) << "init routine";
    EXPECT_NE(linkage[2], 0u) << "fini routine";
    EXPECT_EQ(linkage[3], 0u) << "flags";
    EXPECT_EQ(linkage[4], 0u) << "priority";
    EXPECT_EQ(linkage[5], version) << "version";
}

// Every word of a record outside `listed` is zero.
inline void expect_unlisted_zero(Words record, size_t length, const std::set<size_t>& listed,
                                 const std::string& what) {
    for (size_t i = 0; i < length; ++i) {
        if (!listed.count(i)) {
            EXPECT_EQ(record[i], 0u) << what << " word " << i;
        }
    }
}

#endif // GAUGE_ABI_32BIT
