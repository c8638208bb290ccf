#pragma once

#include <set>

// A keyboard picture's statement of which controls its model has. Nothing is ever deleted
// through this interface, hence the protected, non-virtual destructor.
class IKbdCtrlPicker
{
public:
    virtual std::set<short> getSupportedControls() = 0;

protected:
    IKbdCtrlPicker() = default;
    IKbdCtrlPicker (const IKbdCtrlPicker&) = default;
    IKbdCtrlPicker& operator= (const IKbdCtrlPicker&) = default;
    ~IKbdCtrlPicker() = default;
};
