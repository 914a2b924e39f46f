#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>
#include "ka.h"

namespace {

std::string str(const char* s) { return s ? s : "<null>"; }

std::vector<std::string> names(const cArrayTag& a)
{
    std::vector<std::string> out;
    for (int i = 0; i < a.count(); ++i) out.push_back(str(a.getName(i)));
    return out;
}

void* P(int n) { return reinterpret_cast<void*>(static_cast<intptr_t>(n)); }

}  // namespace

TEST(ArrayTag, SetKeepsWhatItIsNotGiven)
{
    cArrayTag tags;
    EXPECT_EQ(1, tags.set("k", "v"));
    EXPECT_EQ(1, tags.set("k", static_cast<__int64>(7)));  // the text stays
    EXPECT_EQ("v", str(tags.getText(0)));
    EXPECT_EQ(7, tags.getValue("k"));
    EXPECT_EQ(1, tags.set("k", "w"));  // the number stays
    EXPECT_EQ(7, tags.getValue(0));
    EXPECT_EQ(1, tags.set("k", nullptr, 0x123456789LL));
    EXPECT_EQ(nullptr, tags.getText(0));
    EXPECT_EQ(0x123456789LL, tags.getValue("k"));

    EXPECT_EQ(2, tags.set("K", "upper"));  // names are case-sensitive
    EXPECT_EQ(3, tags.set("n", static_cast<__int64>(-5)));
    EXPECT_EQ(nullptr, tags.getText(2));  // a new number-only item has no text
    EXPECT_EQ((std::vector<std::string>{"k", "K", "n"}), names(tags));
    EXPECT_EQ(1, tags.find("K"));
    EXPECT_EQ(-1, tags.find("x"));

    // Null and empty names are the same name.
    EXPECT_EQ(4, tags.set(nullptr, "none"));
    EXPECT_EQ(4, tags.set("", "empty"));
    EXPECT_EQ("empty", str(tags.getText(3)));

    cStringA out("stale");
    EXPECT_FALSE(tags.getText("absent", out));
    EXPECT_TRUE(out.isBlank());
    EXPECT_TRUE(tags.getText("K", out));
    EXPECT_EQ("upper", str(out));
    out = "stale";
    EXPECT_TRUE(tags.getText("n", out));  // found without a text
    EXPECT_TRUE(out.isBlank());

    for (int bad : {-1, 4}) {
        SCOPED_TRACE(bad);
        EXPECT_EQ(nullptr, tags.getText(bad));
        EXPECT_EQ(nullptr, tags.getName(bad));
        EXPECT_EQ(0, tags.getValue(bad));
        EXPECT_EQ(0, tags.textLength(bad));
    }
    EXPECT_EQ(0, tags.getValue("absent"));
    EXPECT_EQ(5, tags.textLength("K"));
    EXPECT_EQ(0, tags.textLength("absent"));

    EXPECT_EQ(4, tags.remove("absent"));
    EXPECT_EQ(3, tags.remove("K"));
    EXPECT_EQ((std::vector<std::string>{"k", "n", "<null>"}), names(tags));
    tags.removeAll();
    EXPECT_EQ(0, tags.count());
    EXPECT_EQ(1, tags.set("again", "a"));
}

TEST(ArrayTag, CopiesOwnTheirItemsAndGrowPastTenThousand)
{
    cArrayTag a;
    for (int k = 0; k <= 10000; ++k) ASSERT_EQ(k + 1, a.set(std::to_string(k).c_str(), "t", k));
    EXPECT_EQ(10000, a.find("10000"));
    EXPECT_EQ(10000, a.getValue("10000"));

    cArrayTag b(a);
    a.set("0", "changed");
    a.remove("1");
    EXPECT_EQ(10001, b.count());
    EXPECT_EQ("t", str(b.getText(0)));
    EXPECT_NE(a.getName(0), b.getName(0));
    b = a;
    EXPECT_EQ("changed", str(b.getText(0)));
    EXPECT_EQ(10000, b.count());
    b = b;
    EXPECT_EQ(10000, b.count());
    b = cArrayTag();
    EXPECT_EQ(0, b.count());
}

TEST(ArrayPtrTag, HandsBackThePointersItNoLongerHolds)
{
    cArrayPtrTag tags;
    EXPECT_EQ(nullptr, tags.set("a", P(1)));
    EXPECT_EQ(nullptr, tags.set("b", P(2)));
    EXPECT_EQ(nullptr, tags.set("c", P(3)));
    EXPECT_EQ(P(1), tags.set("a", P(10)));  // the replaced pointer, for the caller to dispose of
    EXPECT_EQ(3, tags.count());
    EXPECT_EQ(P(10), tags.getPtr("a"));
    EXPECT_EQ(P(2), tags.getPtr(1));
    EXPECT_EQ("c", str(tags.name(2)));
    EXPECT_EQ(nullptr, tags.getPtr("A"));
    EXPECT_EQ(nullptr, tags.getPtr(3));
    EXPECT_EQ(nullptr, tags.getPtr(-1));
    EXPECT_EQ(nullptr, tags.name(-1));
    EXPECT_EQ(nullptr, tags.name(3));

    cArrayPtrTag copy(tags);
    EXPECT_EQ(P(2), tags.remove("b"));
    EXPECT_EQ(nullptr, tags.remove("b"));
    EXPECT_EQ(P(3), tags.remove(1));
    EXPECT_EQ(nullptr, tags.remove(1));
    EXPECT_EQ(nullptr, tags.remove(-1));
    EXPECT_EQ(1, tags.count());
    EXPECT_EQ("a", str(tags.name(0)));

    EXPECT_EQ(3, copy.count());  // the copy kept items of its own
    EXPECT_NE(tags.name(0), copy.name(0));
    EXPECT_EQ(P(2), copy.getPtr("b"));
    tags = copy;
    copy.removeAll();
    EXPECT_EQ(0, copy.count());
    EXPECT_EQ(P(3), tags.getPtr("c"));
    tags = tags;
    EXPECT_EQ(3, tags.count());

    cArrayPtrTagItem item;
    EXPECT_EQ(nullptr, item.set("x", P(1)));
    EXPECT_EQ(P(1), item.set(item.name(), P(2)));  // its own name may be passed back in
    EXPECT_EQ("x", str(item.name()));
    cArrayPtrTagItem other(item);
    EXPECT_NE(item.name(), other.name());
    EXPECT_EQ(P(2), other.ptr());
    other.set("y", nullptr);
    EXPECT_EQ("x", str(item.name()));
    item = other;
    EXPECT_EQ("y", str(item.name()));
    EXPECT_EQ(nullptr, item.ptr());
}

TEST(ArrayTag, FindsWhatAScanFromTheFrontWouldThroughRandomEdits)
{
    // A model kept as a plain list of names, searched from the front.
    const char* pool[] = {nullptr, "", "a", "A", "b", "ab", "ba", "k1", "k2", "k10", "가", "가나"};
    std::mt19937 rng(11);
    cArrayTag tags;
    cArrayPtrTag ptrs;
    std::vector<std::string> model;  // "" stands for the null/empty name
    auto modelFind = [&](const char* name) {
        for (size_t k = 0; k < model.size(); ++k)
            if (model[k] == (name ? name : "")) return static_cast<int>(k);
        return -1;
    };
    for (int step = 0; step < 4000; ++step) {
        SCOPED_TRACE(step);
        const char* name = pool[rng() % 12];
        int at = modelFind(name);
        switch (rng() % 5) {
        case 0:
            EXPECT_EQ(static_cast<int>(model.size()) - (at >= 0), tags.remove(name));
            EXPECT_EQ(at >= 0 ? P(at + 1000) : nullptr, ptrs.remove(name));
            if (at >= 0) model.erase(model.begin() + at);
            for (size_t k = 0; k < model.size(); ++k) ptrs.set(model[k].c_str(), P(static_cast<int>(k) + 1000));
            break;
        case 1:
            if (step % 50 == 0) {
                tags.removeAll();
                ptrs.removeAll();
                model.clear();
            }
            break;
        default:
            if (at < 0) {
                model.push_back(name ? name : "");
                at = static_cast<int>(model.size()) - 1;
            }
            EXPECT_EQ(static_cast<int>(model.size()), tags.set(name, "t", at));
            ptrs.set(name, P(at + 1000));
        }
        ASSERT_EQ(static_cast<int>(model.size()), tags.count());
        for (const char* probe : pool) {
            int expect = modelFind(probe);
            EXPECT_EQ(expect, tags.find(probe)) << str(probe);
            EXPECT_EQ(expect < 0 ? nullptr : P(expect + 1000), ptrs.getPtr(probe)) << str(probe);
        }
    }
    cArrayTag copy(tags);
    for (const char* probe : pool) EXPECT_EQ(tags.find(probe), copy.find(probe)) << str(probe);
}
