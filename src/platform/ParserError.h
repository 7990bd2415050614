#pragma once
// The platform's parser error: lexical failures of the system's parsers,
// with the message already formatted ("... on line N").

#include "Exceptions.h"

class EParserError : public Exception {
public:
    using Exception::Exception;
};
