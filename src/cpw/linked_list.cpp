#include "cpw/linked_list.h"

#include <cstdlib>

// ---- elements ----

LinkedElement* le_createElement() {
    return static_cast<LinkedElement*>(std::calloc(1, sizeof(LinkedElement)));
}

void le_cleanUp(LinkedElement* element) {
    if (element == nullptr) {
        return;
    }
    if (element->etype == le_type_string) {
        cstr::freeStr(&element->e.str);
    }
    element->e = LinkedPayload{};
    element->etype = 0;
}

int le_initStr(LinkedElement* element, const StringContext* s) {
    if (element == nullptr) {
        return 0;
    }
    StringContext* copy = cstr::strCpy(s);
    if (copy == nullptr) {
        return 0;
    }
    le_cleanUp(element);
    element->e.str = copy;
    element->etype = le_type_string;
    return 1;
}

int le_initString(LinkedElement* element, const char* text) {
    StringContext* s = cstr::cpyString(text);
    if (s == nullptr) {
        return 0;
    }
    const int result = le_initStr(element, s);
    cstr::freeStr(&s);
    return result;
}

int le_initFloat64(LinkedElement* element, double value) {
    if (element == nullptr) {
        return 0;
    }
    le_cleanUp(element);
    element->e.f64 = value;
    element->etype = le_type_float64;
    return 1;
}

int le_initInt32(LinkedElement* element, std::int32_t value) {
    if (element == nullptr) {
        return 0;
    }
    le_cleanUp(element);
    element->e.i32 = value;
    element->etype = le_type_int32;
    return 1;
}

int le_initVoid(LinkedElement* element, void* p) {
    if (element == nullptr) {
        return 0;
    }
    le_cleanUp(element);
    element->e.ptr = p;
    element->etype = le_type_void;
    return 1;
}

void le_freeElement(LinkedElement** element) {
    if (element == nullptr || *element == nullptr) {
        return;
    }
    le_cleanUp(*element);
    std::free(*element);
    *element = nullptr;
}

int le_getType(const LinkedElement* element) {
    return element == nullptr ? 0 : element->etype;
}

StringContext* le_getString(const LinkedElement* element) {
    return le_getType(element) == le_type_string ? element->e.str : nullptr;
}

void* le_getVoid(const LinkedElement* element) {
    return le_getType(element) == le_type_void ? element->e.ptr : nullptr;
}

double le_getFloat64(const LinkedElement* element) {
    return le_getType(element) == le_type_float64 ? element->e.f64 : 0.0;
}

std::int32_t le_getInt32(const LinkedElement* element) {
    return le_getType(element) == le_type_int32 ? element->e.i32 : 0;
}

std::uint32_t le_getId(const LinkedElement* element) {
    return element == nullptr ? 0 : element->id;
}

void le_setId(LinkedElement* element, std::uint32_t id) {
    if (element != nullptr) {
        element->id = id;
    }
}

int le_setVoid(LinkedElement* element, void* p) {
    if (le_getType(element) != le_type_void) {
        return 0;
    }
    element->e.ptr = p;
    return 1;
}

void le_linkUp(LinkedElement** chain, LinkedElement* element) {
    if (chain == nullptr || element == nullptr) {
        return;
    }
    element->childtomyright = nullptr;
    LinkedElement** slot = chain;
    while (*slot != nullptr) {
        slot = &(*slot)->childtomyright;
    }
    *slot = element;
}

LinkedElement* le_unLink(LinkedElement** chain, std::uint32_t id) {
    if (chain == nullptr) {
        return nullptr;
    }
    for (LinkedElement** slot = chain; *slot != nullptr; slot = &(*slot)->childtomyright) {
        if ((*slot)->id == id) {
            LinkedElement* found = *slot;
            *slot = found->childtomyright;
            found->childtomyright = nullptr;
            return found;
        }
    }
    return nullptr;
}

LinkedElement* le_seek(LinkedElement* chain, std::uint32_t id) {
    for (LinkedElement* e = chain; e != nullptr; e = e->childtomyright) {
        if (e->id == id) {
            return e;
        }
    }
    return nullptr;
}

int le_countUp(const LinkedElement* chain) {
    int n = 0;
    for (const LinkedElement* e = chain; e != nullptr; e = e->childtomyright) {
        ++n;
    }
    return n;
}

void le_initIterate(LinkedElement* chain) {
    for (LinkedElement* e = chain; e != nullptr; e = e->childtomyright) {
        e->iterate = false;
    }
}

LinkedElement* le_getNext(LinkedElement* chain) {
    for (LinkedElement* e = chain; e != nullptr; e = e->childtomyright) {
        if (!e->iterate) {
            e->iterate = true;
            return e;
        }
    }
    return nullptr;
}

LinkedElement* le_lastOne(LinkedElement* chain) {
    LinkedElement* last = chain;
    while (last != nullptr && last->childtomyright != nullptr) {
        last = last->childtomyright;
    }
    return last;
}

// ---- lists ----

namespace {

// Appends a filled element under the next id; frees it when it cannot.
std::uint32_t add_element(LinkedListData* list, LinkedElement* element, bool filled) {
    if (list == nullptr || element == nullptr || !filled) {
        le_freeElement(&element);
        return 0;
    }
    return ll_linkUp(list, element);
}

// After a pop or an unlink the counter starts again from 1, but only once the
// list is empty, so no id is ever held by two elements.
void restart_ids_when_empty(LinkedListData* list) {
    if (list->baseElement == nullptr) {
        list->idcount = 1;
    }
}

}  // namespace

void ll_initList(LinkedListData* list) {
    if (list != nullptr) {
        list->idcount = 1;
        list->baseElement = nullptr;
    }
}

LinkedListData* ll_createList() {
    auto* list = static_cast<LinkedListData*>(std::calloc(1, sizeof(LinkedListData)));
    ll_initList(list);
    return list;
}

void ll_freeList(LinkedListData** list) {
    if (list == nullptr || *list == nullptr) {
        return;
    }
    ll_deleteList(*list);
    std::free(*list);
    *list = nullptr;
}

int ll_deleteList(LinkedListData* list) {
    if (list == nullptr) {
        return 0;
    }
    int n = 0;
    while (list->baseElement != nullptr) {
        LinkedElement* e = list->baseElement;
        list->baseElement = e->childtomyright;
        le_freeElement(&e);
        ++n;
    }
    list->idcount = 1;
    return n;
}

std::uint32_t ll_addStr(LinkedListData* list, const StringContext* s) {
    LinkedElement* e = le_createElement();
    return add_element(list, e, le_initStr(e, s) == 1);
}

std::uint32_t ll_addString(LinkedListData* list, const char* text) {
    LinkedElement* e = le_createElement();
    return add_element(list, e, le_initString(e, text) == 1);
}

std::uint32_t ll_addFloat64(LinkedListData* list, double value) {
    LinkedElement* e = le_createElement();
    return add_element(list, e, le_initFloat64(e, value) == 1);
}

std::uint32_t ll_addInt32(LinkedListData* list, std::int32_t value) {
    LinkedElement* e = le_createElement();
    return add_element(list, e, le_initInt32(e, value) == 1);
}

std::uint32_t ll_addVoid(LinkedListData* list, void* p) {
    LinkedElement* e = le_createElement();
    return add_element(list, e, le_initVoid(e, p) == 1);
}

LinkedElement* ll_getElement(LinkedListData* list, std::uint32_t id) {
    return list == nullptr ? nullptr : le_seek(list->baseElement, id);
}

int ll_getString(LinkedListData* list, std::uint32_t id, StringContext** s) {
    const LinkedElement* e = ll_getElement(list, id);
    if (s == nullptr || le_getType(e) != le_type_string) {
        return 0;
    }
    cstr::setStr(s, e->e.str);
    return 1;
}

int ll_getVoid(LinkedListData* list, std::uint32_t id, void** p) {
    if (p == nullptr) {
        return 0;
    }
    *p = nullptr;
    if (list == nullptr || list->baseElement == nullptr) {
        return 0;
    }
    *p = le_getVoid(ll_getElement(list, id));
    return 1;
}

int ll_setVoid(LinkedListData* list, std::uint32_t id, void* p) {
    return le_setVoid(ll_getElement(list, id), p);
}

namespace {

// Unlinks the last element of a list for a pop of the given payload kind.
LinkedElement* take_last(LinkedListData* list, int etype) {
    if (list == nullptr) {
        return nullptr;
    }
    LinkedElement* last = le_lastOne(list->baseElement);
    if (le_getType(last) != etype) {
        return nullptr;
    }
    LinkedElement* e = le_unLink(&list->baseElement, last->id);
    restart_ids_when_empty(list);
    return e;
}

}  // namespace

int ll_popString(LinkedListData* list, StringContext** s) {
    if (s == nullptr) {
        return 0;
    }
    LinkedElement* e = take_last(list, le_type_string);
    if (e == nullptr) {
        return 0;
    }
    cstr::freeStr(s);
    *s = e->e.str;  // the string changes hands
    e->e.str = nullptr;
    le_freeElement(&e);
    return 1;
}

int ll_popFloat64(LinkedListData* list, double* value) {
    if (value == nullptr) {
        return 0;
    }
    LinkedElement* e = take_last(list, le_type_float64);
    if (e == nullptr) {
        return 0;
    }
    *value = e->e.f64;
    le_freeElement(&e);
    return 1;
}

int ll_popInt32(LinkedListData* list, std::int32_t* value) {
    if (value == nullptr) {
        return 0;
    }
    LinkedElement* e = take_last(list, le_type_int32);
    if (e == nullptr) {
        return 0;
    }
    *value = e->e.i32;
    le_freeElement(&e);
    return 1;
}

int ll_deleteElement(LinkedListData* list, std::uint32_t id) {
    if (list == nullptr) {
        return 0;
    }
    LinkedElement* e = le_unLink(&list->baseElement, id);
    if (e == nullptr) {
        return 0;
    }
    le_freeElement(&e);
    return 1;
}

LinkedElement* ll_unLink(LinkedListData* list, std::uint32_t id) {
    if (list == nullptr) {
        return nullptr;
    }
    LinkedElement* e = le_unLink(&list->baseElement, id);
    if (e != nullptr) {
        restart_ids_when_empty(list);
    }
    return e;
}

std::uint32_t ll_linkUp(LinkedListData* list, LinkedElement* element) {
    if (list == nullptr || element == nullptr) {
        return 0;
    }
    if (list->idcount == 0) {
        list->idcount = 1;  // a zero-filled list hands out ids from 1 too
    }
    const std::uint32_t id = list->idcount++;
    le_setId(element, id);
    element->iterate = false;
    le_linkUp(&list->baseElement, element);
    return id;
}

int ll_getLength(const LinkedListData* list) {
    return list == nullptr ? 0 : le_countUp(list->baseElement);
}

void ll_initIterate(LinkedListData* list) {
    if (list != nullptr) {
        le_initIterate(list->baseElement);
    }
}

LinkedElement* ll_getNext(LinkedListData* list) {
    return list == nullptr ? nullptr : le_getNext(list->baseElement);
}

int ll_flipList(LinkedListData* list) {
    if (list == nullptr) {
        return 0;
    }
    LinkedElement* reversed = nullptr;
    while (list->baseElement != nullptr) {
        LinkedElement* e = list->baseElement;
        list->baseElement = e->childtomyright;
        e->childtomyright = reversed;
        reversed = e;
    }
    list->idcount = 1;
    int n = 0;
    for (LinkedElement* e = reversed; e != nullptr; e = e->childtomyright) {
        e->id = list->idcount++;
        ++n;
    }
    list->baseElement = reversed;
    return n;
}
