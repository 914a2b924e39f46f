// Root of the framework's classes. The run-time class name is all the launcher asks of
// run-time type information: it tells in a message or a test which class an object is.
#pragma once

class CObject {
public:
    virtual ~CObject() = default;
    virtual const char* className() const { return "CObject"; }
};
