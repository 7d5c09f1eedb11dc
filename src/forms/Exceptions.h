#pragma once

// The error classes the layer raises; each carries the user-visible message in wide text.

#include <exception>
#include <string>

namespace forms {

class Exception : public std::exception {
public:
    explicit Exception(std::wstring message);
    const std::wstring& Message() const noexcept { return message_; }
    // UTF-8 form of the message, for diagnostics.
    const char* what() const noexcept override { return narrow_.c_str(); }

private:
    std::wstring message_;
    std::string narrow_;
};

// A file could not be opened: "Cannot open file "<path>". <system reason>".
class EFOpenError : public Exception {
public:
    EFOpenError(const std::wstring& fileName, unsigned long systemError);
};

// A text did not convert: "'<text>' is not a valid integer value", or an impossible Assign.
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

// A checked conversion of an object to a class it is not of.
class EInvalidCast : public Exception {
public:
    EInvalidCast();
};

// An operation the object's state does not allow.
class EInvalidOperation : public Exception {
public:
    using Exception::Exception;
};

// A bitmap or icon operation that cannot be done (bad scan line, unreadable picture).
class EInvalidGraphicOperation : public Exception {
public:
    using Exception::Exception;
};

// The system refused a window, device context or drawing object.
class EOutOfResources : public Exception {
public:
    EOutOfResources();
};

// Text of a system error code, without the trailing line break.
std::wstring SysErrorMessage(unsigned long code);

}  // namespace forms
