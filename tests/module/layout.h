// The layout facts an outside module's own code depends on: the size of every
// public class (a module reserves that much for an object the program then
// constructs) and the place of the data members that public fields or inline
// code in the headers reach. Compiled once as the library is compiled and once
// as a module is, the two tables must agree line for line.
#pragma once

#define KA_LAYOUT_CLASSES(X)                                                                      \
    X(cBase) X(cVar) X(cStringData) X(cStringA) X(cStringWData) X(cStringW) X(cArrayBlock)       \
    X(cArrayInt) X(cArrayFloat) X(cArrayPtr) X(cArrayPoint) X(cArrayStr) X(cArrayTag)            \
    X(cArrayPtrTagItem) X(cArrayPtrTag) X(cArrayBigInt) X(cArrayDouble) X(listItem) X(cLL)        \
    X(cTagItem) X(cError) X(cToken) X(cParser) X(cXMLElement) X(cXML) X(cNoti) X(cWnd) X(cFile)    \
    X(cFileName) X(cSystemInfo) X(cFont) X(cRegistry) X(cDLL) X(cProcItem) X(cCursor) X(cDate)    \
    X(cTime) X(cTimestamp) X(cColorSet) X(cType) X(cBool) X(cLong) X(cBigint) X(cDouble)          \
    X(cPointD) X(cSize) X(cComponent) X(cPointL)

#define KA_LAYOUT_MEMBERS(X)                                                                      \
    X(cVar, type) X(cVar, extra)                                                                  \
    X(cStringData, text) X(cStringData, length) X(cStringData, refs) X(cStringA, record)          \
    X(cArrayBlock, data) X(cArrayBlock, capacity) X(cArrayBlock, count)                           \
    X(cArrayInt, elements) X(cArrayStr, texts) X(cArrayStr, numbers)                              \
    X(listItem, prev) X(listItem, next) X(listItem, data)                                         \
    X(cLL, first) X(cLL, last) X(cLL, length)                                                     \
    X(cTagItem, tagName) X(cTagItem, tagText) X(cTagItem, tagValue) X(cError, messages)           \
    X(cXMLElement, name) X(cXMLElement, attributes) X(cXMLElement, children)                      \
    X(cXMLElement, content) X(cXML, prolog) X(cXML, document) X(cXML, error)                      \
    X(cNoti, source) X(cNoti, data) X(cNoti, key) X(cNoti, x) X(cNoti, y) X(cNoti, rect)          \
    X(cNoti, comment) X(cNoti, text1) X(cNoti, text2) X(cNoti, posted) X(cNoti, text3)            \
    X(cNoti, data2) X(cFile, fileHandle) X(cFile, fileName)

// Calls line once per fact: "size cName N" or "offset cName::member N".
void kaLayoutTable(void (*line)(const char* text, void* context), void* context);
