// CLScripter, the interface of every object that saves itself in the data language. The script tree and the
// parser belong to the data language and are only named here, so that foundation types can offer their
// blocks.
#pragma once

class CLScript;
class CRZParser;

class CLScripter {
public:
    // A new script tree describing the object; the caller owns it.
    virtual CLScript* GetScript() const = 0;
    // Trees are only ever written, never read back into an object, so this does nothing.
    virtual void SetScript(CLScript*) { }

protected:
    // Saved objects are deleted through their own types, never through this interface; the destructor is
    // virtual all the same, so a value type that derives from a saved type is destroyed whole.
    virtual ~CLScripter() = default;
};

// The interface lent to a value type that must stay a plain record (a date or a point inside an event record
// has no room for a table pointer): the value offers GetScript and ParseFields as plain members.
template <class T> class CLValueScripter : public CLScripter {
public:
    explicit CLValueScripter(T& inValue)
        : value(inValue)
    {
    }
    CLScript* GetScript() const override { return value.GetScript(); }
    virtual int ParseFields(CRZParser& parser) { return value.ParseFields(parser); }

private:
    T& value;
};
