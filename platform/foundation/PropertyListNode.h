#pragma once

#include "foundation/Expected.h"
#include "foundation/PropertyListError.h"
#include "foundation/PropertyListLimits.h"

#include <QByteArray>
#include <QVariant>
#include <memory>
#include <optional>
#include <plist/plist.h>
#include <type_traits>
#include <utility>
#include <vector>

namespace foundation {

// Owns a parsed property-list tree of the underlying library.
struct PlistFree
{
    void operator()(plist_t node) const { plist_free(node); }
};
using PlistNode = std::unique_ptr<std::remove_pointer_t<plist_t>, PlistFree>;

// Parses binary property-list bytes into a tree, after checks that keep hostile input from reaching the
// parser's weak spots (shared objects copied without bound, deep recursion).
Expected<PlistNode, PropertyListError> parseBinaryPlist(const QByteArray& data,
                                                        const PropertyListLimits& limits);

// The binary property-list form of a tree.
QByteArray binaryPlistData(plist_t root);

// The kind of a node, PLIST_NONE for a missing one.
inline plist_type plistType(plist_t node)
{
    return node ? plist_get_node_type(node) : PLIST_NONE;
}

// Text of a string node, which the library keeps as UTF-8.
QString plistStringValue(plist_t node);

// The items of an array node, in order. Walking them is linear; looking each up by index is not.
std::vector<plist_t> plistArrayItems(plist_t array);

// The keys and values of a dictionary node, in the library's order.
std::vector<std::pair<QString, plist_t>> plistDictionaryEntries(plist_t dictionary);

// The value of a truth-value, integer, real or data node; nothing for a node of any other kind.
// Integers read as signed: a negative number is stored as eight bytes of two's complement.
std::optional<QVariant> plistScalarValue(plist_t node);

// Whether value is an unsigned integer above the largest signed 64-bit one, which no node can hold.
bool isUnsignedBeyondPlistRange(const QVariant& value);

// A new node for a truth value, integer, real or data; null for a value of any other kind. Unsigned
// integers are to be checked with isUnsignedBeyondPlistRange first.
PlistNode plistScalarNode(const QVariant& value);

} // namespace foundation
