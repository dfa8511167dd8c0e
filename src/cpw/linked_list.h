#pragma once

#include "cpw/counted_string.h"

#include <cstdint>

// Keyed lists: elements carry a payload and an id handed out by the list.
// New elements go to the end; ids are never reused while elements exist.

// Payload kinds (etype).
inline constexpr int le_type_float64 = 1;
inline constexpr int le_type_int32 = 2;
inline constexpr int le_type_string = 3;
inline constexpr int le_type_void = 4;

union LinkedPayload {
    double f64;
    std::int32_t i32;
    StringContext* str;
    void* ptr;
};

struct LinkedElement {
    LinkedPayload e;
    int etype;
    std::uint32_t id;
    bool iterate;                   // already visited in the current iteration
    LinkedElement* childtomyright;  // next element
};

struct LinkedListData {
    std::uint32_t idcount;  // next id to hand out, from 1
    LinkedElement* baseElement;
};

// Lists. Counted-string payloads belong to the list and are freed with their
// element; pointer payloads are the caller's and are only dropped.
void ll_initList(LinkedListData* list);
LinkedListData* ll_createList();
void ll_freeList(LinkedListData** list);
int ll_deleteList(LinkedListData* list);  // frees every element; returns how many

std::uint32_t ll_addStr(LinkedListData* list, const StringContext* s);  // ids; 0 when memory runs out
std::uint32_t ll_addString(LinkedListData* list, const char* text);
std::uint32_t ll_addFloat64(LinkedListData* list, double value);
std::uint32_t ll_addInt32(LinkedListData* list, std::int32_t value);
std::uint32_t ll_addVoid(LinkedListData* list, void* p);

int ll_getString(LinkedListData* list, std::uint32_t id, StringContext** s);  // a copy into *s
int ll_getVoid(LinkedListData* list, std::uint32_t id, void** p);  // unknown id: null stored, result 1
LinkedElement* ll_getElement(LinkedListData* list, std::uint32_t id);
int ll_setVoid(LinkedListData* list, std::uint32_t id, void* p);

// Pops take the payload of the last element (the caller owns a popped string).
int ll_popString(LinkedListData* list, StringContext** s);
int ll_popFloat64(LinkedListData* list, double* value);
int ll_popInt32(LinkedListData* list, std::int32_t* value);

int ll_deleteElement(LinkedListData* list, std::uint32_t id);
LinkedElement* ll_unLink(LinkedListData* list, std::uint32_t id);  // the element, no longer linked
std::uint32_t ll_linkUp(LinkedListData* list, LinkedElement* element);  // gives it the next id
int ll_getLength(const LinkedListData* list);
void ll_initIterate(LinkedListData* list);
LinkedElement* ll_getNext(LinkedListData* list);
int ll_flipList(LinkedListData* list);  // reversed, ids renumbered from 1; returns the length

// The element layer the lists are built from.
LinkedElement* le_createElement();
int le_initStr(LinkedElement* element, const StringContext* s);
int le_initString(LinkedElement* element, const char* text);
int le_initFloat64(LinkedElement* element, double value);
int le_initInt32(LinkedElement* element, std::int32_t value);
int le_initVoid(LinkedElement* element, void* p);
void le_freeElement(LinkedElement** element);
int le_getType(const LinkedElement* element);
StringContext* le_getString(const LinkedElement* element);  // the element's own string
void* le_getVoid(const LinkedElement* element);
double le_getFloat64(const LinkedElement* element);
std::int32_t le_getInt32(const LinkedElement* element);
std::uint32_t le_getId(const LinkedElement* element);
void le_setId(LinkedElement* element, std::uint32_t id);
int le_setVoid(LinkedElement* element, void* p);
void le_cleanUp(LinkedElement* element);  // frees a string payload, clears the payload
void le_linkUp(LinkedElement** chain, LinkedElement* element);  // appends at the end
LinkedElement* le_unLink(LinkedElement** chain, std::uint32_t id);
LinkedElement* le_seek(LinkedElement* chain, std::uint32_t id);
int le_countUp(const LinkedElement* chain);
void le_initIterate(LinkedElement* chain);
LinkedElement* le_getNext(LinkedElement* chain);
LinkedElement* le_lastOne(LinkedElement* chain);
