#pragma once

class JsonStream;
struct FieldValue;

// A field's value in JSON as dump writes it: a number or a list of them,
// the text without its padding, digit strings, bit numbers, raw hex.
class FieldValueJson
{
public:
    static void write(JsonStream &json, const FieldValue &value);
};
