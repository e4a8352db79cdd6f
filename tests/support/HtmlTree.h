// HtmlTree: the element tree of a page qvkdc writes, parsed strictly enough
// to test the page by its structure: every element closed by its own end
// tag (void elements excepted), attributes in double quotes, the entities
// the page uses decoded in text and attribute values.
#ifndef QVKDC_TESTS_SUPPORT_HTMLTREE_H
#define QVKDC_TESTS_SUPPORT_HTMLTREE_H

#include <functional>
#include <map>
#include <string>
#include <vector>

struct HtmlNode {
    std::string tag;  // "" for a text node
    std::map<std::string, std::string> attributes;
    std::string text;  // of a text node, decoded
    std::vector<HtmlNode> children;

    std::string Attribute(const std::string& name) const;
    bool HasClass(const std::string& name) const;
    // The text of the node and all below it, decoded.
    std::string Text() const;
    // Every element below this one (depth first, in page order) that is
    // element and, when cls is not empty, of that class.
    std::vector<const HtmlNode*> All(const std::string& element, const std::string& cls = "") const;
    // The first child element that is element; null when there is none.
    const HtmlNode* Child(const std::string& element) const;
};

// Parses html into the children of a root node with an empty tag. On a
// fault (an end tag that closes another element, an element left open, an
// unquoted attribute, an unknown entity) *error says which and where.
HtmlNode ParseHtml(const std::string& html, std::string* error);

#endif  // QVKDC_TESTS_SUPPORT_HTMLTREE_H
