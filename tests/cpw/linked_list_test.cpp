#include "cpw/linked_list.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<std::uint32_t> ids_of(const LinkedListData& list) {
    std::vector<std::uint32_t> ids;
    for (const LinkedElement* e = list.baseElement; e != nullptr; e = e->childtomyright) {
        ids.push_back(e->id);
    }
    return ids;
}

std::vector<std::int32_t> values_of(const LinkedListData& list) {
    std::vector<std::int32_t> values;
    for (const LinkedElement* e = list.baseElement; e != nullptr; e = e->childtomyright) {
        values.push_back(le_getInt32(e));
    }
    return values;
}

class KeyedList : public ::testing::Test {
protected:
    void SetUp() override {
        ll_initList(&list);
        for (std::int32_t v = 10; v <= 30; v += 10) {
            ll_addInt32(&list, v);  // ids 1, 2, 3
        }
    }
    void TearDown() override { ll_deleteList(&list); }
    LinkedListData list{};
};

TEST_F(KeyedList, IdsCountUpAndAreNotReused) {
    EXPECT_EQ(ids_of(list), (std::vector<std::uint32_t>{1, 2, 3}));
    EXPECT_EQ(ll_getLength(&list), 3);
    EXPECT_EQ(ll_deleteElement(&list, 3), 1);
    EXPECT_EQ(ll_addInt32(&list, 40), 4u);
    EXPECT_EQ(ll_deleteElement(&list, 3), 0);
}

TEST_F(KeyedList, DeleteFirstMiddleAndLast) {
    EXPECT_EQ(ll_deleteElement(&list, 2), 1);  // middle
    EXPECT_EQ(values_of(list), (std::vector<std::int32_t>{10, 30}));
    EXPECT_EQ(ll_deleteElement(&list, 1), 1);  // first
    EXPECT_EQ(values_of(list), (std::vector<std::int32_t>{30}));
    ll_addInt32(&list, 40);
    EXPECT_EQ(ll_deleteElement(&list, 4), 1);  // last
    EXPECT_EQ(values_of(list), (std::vector<std::int32_t>{30}));
    EXPECT_EQ(ll_getElement(&list, 3)->e.i32, 30);
}

TEST(KeyedListUnlink, FirstMiddleAndLastAndLinkBack) {
    for (const std::uint32_t id : {1u, 2u, 3u}) {
        LinkedListData l{};
        ll_initList(&l);
        for (std::int32_t v = 10; v <= 30; v += 10) {
            ll_addInt32(&l, v);
        }
        LinkedElement* e = ll_unLink(&l, id);
        ASSERT_NE(e, nullptr);
        EXPECT_EQ(e->childtomyright, nullptr);
        EXPECT_EQ(ll_getLength(&l), 2);
        EXPECT_EQ(ll_getElement(&l, id), nullptr);
        // The others stay linked and keep their ids; the unlinked one comes back under a new id.
        EXPECT_EQ(ll_linkUp(&l, e), 4u);
        EXPECT_EQ(ll_getLength(&l), 3);
        EXPECT_EQ(le_lastOne(l.baseElement), e);
        EXPECT_EQ(ll_unLink(&l, 99), nullptr);
        ll_deleteList(&l);
    }
}

TEST_F(KeyedList, PopsTakeTheLastElement) {
    std::int32_t v = 0;
    EXPECT_EQ(ll_popInt32(&list, &v), 1);
    EXPECT_EQ(v, 30);
    // Other elements remain: the next id is still a fresh one.
    EXPECT_EQ(ll_addInt32(&list, 50), 4u);
    ll_deleteList(&list);
    EXPECT_EQ(ll_popInt32(&list, &v), 0);

    ll_addString(&list, "one");
    ll_addFloat64(&list, 2.5);
    double d = 0;
    StringContext* s = nullptr;
    EXPECT_EQ(ll_popString(&list, &s), 0);  // the last element is not a string
    EXPECT_EQ(ll_popFloat64(&list, &d), 1);
    EXPECT_EQ(d, 2.5);
    EXPECT_EQ(ll_popString(&list, &s), 1);
    EXPECT_STREQ(cstr::str(s), "one");
    cstr::freeStr(&s);
    EXPECT_EQ(ll_getLength(&list), 0);
    EXPECT_EQ(ll_addInt32(&list, 1), 1u);  // an emptied list counts from 1 again
}

TEST_F(KeyedList, StringsAndPointers) {
    ll_deleteList(&list);
    StringContext* title = cstr::cpyString("title");
    const std::uint32_t sid = ll_addStr(&list, title);
    cstr::freeStr(&title);  // the list holds its own copy
    int payload = 7;
    const std::uint32_t pid = ll_addVoid(&list, &payload);

    StringContext* copy = cstr::cpyString("old");
    EXPECT_EQ(ll_getString(&list, sid, &copy), 1);
    EXPECT_STREQ(cstr::str(copy), "title");
    EXPECT_EQ(ll_getString(&list, pid, &copy), 0);
    cstr::freeStr(&copy);

    void* p = nullptr;
    EXPECT_EQ(ll_getVoid(&list, pid, &p), 1);
    EXPECT_EQ(p, &payload);
    p = &payload;
    EXPECT_EQ(ll_getVoid(&list, 99, &p), 1);  // unknown id in a non-empty list
    EXPECT_EQ(p, nullptr);
    int other = 8;
    EXPECT_EQ(ll_setVoid(&list, pid, &other), 1);
    EXPECT_EQ(le_getVoid(ll_getElement(&list, pid)), &other);
    EXPECT_EQ(ll_setVoid(&list, 99, &other), 0);
    EXPECT_EQ(ll_setVoid(&list, sid, &other), 0);  // not a pointer element

    EXPECT_EQ(ll_deleteList(&list), 2);
    p = &payload;
    EXPECT_EQ(ll_getVoid(&list, pid, &p), 0);  // empty list
    EXPECT_EQ(p, nullptr);
    EXPECT_EQ(ll_getElement(&list, pid), nullptr);
}

TEST_F(KeyedList, IterationSurvivesRemoval) {
    ll_initIterate(&list);
    std::vector<std::int32_t> visited;
    while (LinkedElement* e = ll_getNext(&list)) {
        visited.push_back(le_getInt32(e));
        if (le_getId(e) == 1) {
            ll_deleteElement(&list, 1);  // the element being visited
            ll_deleteElement(&list, 2);  // and the next one
        }
    }
    EXPECT_EQ(visited, (std::vector<std::int32_t>{10, 30}));
}

TEST_F(KeyedList, FlipRenumbers) {
    EXPECT_EQ(ll_flipList(&list), 3);
    EXPECT_EQ(values_of(list), (std::vector<std::int32_t>{30, 20, 10}));
    EXPECT_EQ(ids_of(list), (std::vector<std::uint32_t>{1, 2, 3}));
    EXPECT_EQ(ll_addInt32(&list, 0), 4u);
}

TEST(KeyedListHeap, CreateAndFree) {
    LinkedListData* list = ll_createList();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->idcount, 1u);
    ll_addString(list, "a");
    ll_addString(list, "b");
    ll_freeList(&list);
    EXPECT_EQ(list, nullptr);
    ll_freeList(&list);

    LinkedListData zeroed{};  // a zero-filled list hands out ids from 1 as well
    EXPECT_EQ(ll_addInt32(&zeroed, 5), 1u);
    ll_deleteList(&zeroed);
}

TEST(ListElement, Layer) {
    LinkedElement* e = le_createElement();
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(le_getType(e), 0);
    EXPECT_EQ(le_initString(e, "x"), 1);
    EXPECT_EQ(le_getType(e), le_type_string);
    EXPECT_STREQ(cstr::str(le_getString(e)), "x");
    EXPECT_EQ(le_initFloat64(e, 1.5), 1);  // the string is freed on the way
    EXPECT_EQ(le_getFloat64(e), 1.5);
    EXPECT_EQ(le_getInt32(e), 0);
    EXPECT_EQ(le_initInt32(e, -3), 1);
    EXPECT_EQ(le_getInt32(e), -3);
    EXPECT_EQ(le_setVoid(e, nullptr), 0);
    le_setId(e, 9);
    EXPECT_EQ(le_getId(e), 9u);

    LinkedElement* chain = nullptr;
    le_linkUp(&chain, e);
    LinkedElement* f = le_createElement();
    le_initVoid(f, &chain);
    le_setId(f, 10);
    le_linkUp(&chain, f);
    EXPECT_EQ(le_countUp(chain), 2);
    EXPECT_EQ(le_seek(chain, 10), f);
    EXPECT_EQ(le_lastOne(chain), f);
    le_initIterate(chain);
    EXPECT_EQ(le_getNext(chain), e);
    EXPECT_EQ(le_getNext(chain), f);
    EXPECT_EQ(le_getNext(chain), nullptr);
    EXPECT_EQ(le_unLink(&chain, 9), e);
    EXPECT_EQ(chain, f);
    le_cleanUp(f);
    EXPECT_EQ(le_getVoid(f), nullptr);
    le_freeElement(&e);
    le_freeElement(&f);
    EXPECT_EQ(e, nullptr);
    le_freeElement(nullptr);
}

}  // namespace
