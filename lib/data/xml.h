// A small non-validating XML reader and writer for documents of configuration
// size. Attribute values and content are kept in their escaped form and unescaped
// when read through the interface.
#pragma once
#include "core/list.h"
#include "core/stringa.h"
#include "parser.h"

class cXMLWriter;
struct cXMLReading;

#pragma pack(push, 1)

class KA_API cXMLElement : public cBase {
public:
    cXMLElement();
    explicit cXMLElement(const char* name);
    ~cXMLElement();
    // An element owns its subtree: a member-wise copy would delete it twice.
    cXMLElement(const cXMLElement&) = delete;
    cXMLElement& operator=(const cXMLElement&) = delete;

    void clear();
    const char* getName() const;

    int getAttrCount() const;
    bool getAttr(int index, cStringA& name, cStringA& value) const;
    bool findAttr(const char* name, cStringA& value) const;
    int getChildElementCount() const;
    cXMLElement* getChildElement(int index) const;
    cXMLElement* findChildElement(const char* name) const;
    cStringA getContent();

    // Names the reader could not read back (not an XML name) are refused.
    void addAttr(const char* name, const char* value);
    cXMLElement* addElement(const char* name);
    void setContent(const char* text);

    void toString(cStringA& out);

    bool parseAttr(cParser& parser, cStringA& error);
    bool parseContent(cParser& parser, cStringA& error);

private:
    friend class cXML;
    friend struct cXMLReading;

    void deleteChildren(int depth);
    // Both share the given strings' records: the reader's names and values are
    // then copied once, not twice.
    bool appendAttr(const cStringA& name, const cStringA& stored);
    cXMLElement* appendChild(const cStringA& name);
    bool readName(cParser& parser, cXMLReading& reading, cStringA& out);
    bool parseAttrs(cParser& parser, cStringA& error, cXMLReading& reading);
    bool parseBody(cParser& parser, cStringA& error, cXMLReading& reading, bool* inContent);
    bool parseEndTag(cParser& parser, cStringA& error);
    bool parseContentAt(cParser& parser, cStringA& error, cXMLReading& reading);
    bool parseChild(cParser& parser, cStringA& error, cXMLReading& reading);
    void write(cXMLWriter& out) const;

    cStringA name;
    // Attribute records and children, owned, in document order. Positional
    // access walks from the head: loops inside use cLLWalker.
    cLL attributes;
    cLL children;
    cStringA content;
};

class KA_API cXML : public cBase {
public:
    cXML();
    explicit cXML(const char* rootName);
    ~cXML();
    // A document owns its tree: a member-wise copy would delete it twice.
    cXML(const cXML&) = delete;
    cXML& operator=(const cXML&) = delete;

    bool parse(const char* text);
    cStringA toString();
    cXMLElement* getDocumentElement() const;
    const char* getErrorString() const;

private:
    void setError(const char* message);
    bool parseProlog(cParser& parser, cStringA& error);
    bool parseDOCTYPEDeclaration(cParser& parser, cStringA& error);
    bool parseDocumentElement(cParser& parser, cStringA& error);

    cXMLElement* prolog;
    cXMLElement* document;
    cStringA error;
};

#pragma pack(pop)
