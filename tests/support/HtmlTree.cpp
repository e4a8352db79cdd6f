#include "support/HtmlTree.h"

#include <algorithm>
#include <cctype>

namespace {

const char* const kVoid[] = {"br", "meta", "link", "hr", "img", "input", "wbr", "col"};

bool IsVoid(const std::string& tag) {
    for (const char* v : kVoid) {
        if (tag == v) return true;
    }
    return false;
}

class Parser {
 public:
    Parser(const std::string& html, std::string* error) : html_(html), error_(*error) {}

    HtmlNode Parse() {
        HtmlNode root;
        std::vector<HtmlNode*> open = {&root};
        while (pos_ < html_.size() && error_.empty()) {
            if (html_[pos_] != '<') {
                const std::size_t end = std::min(html_.find('<', pos_), html_.size());
                HtmlNode text;
                text.text = Decoded(html_.substr(pos_, end - pos_));
                open.back()->children.push_back(std::move(text));
                pos_ = end;
            } else if (html_.compare(pos_, 2, "<!") == 0) {
                pos_ = html_.find('>', pos_) + 1;
            } else if (html_.compare(pos_, 2, "</") == 0) {
                const std::size_t end = html_.find('>', pos_);
                const std::string tag = html_.substr(pos_ + 2, end - pos_ - 2);
                if (open.size() == 1 || open.back()->tag != tag) {
                    Fail("</" + tag + "> closes <" + (open.size() > 1 ? open.back()->tag : "nothing") + ">");
                }
                open.pop_back();
                pos_ = end + 1;
            } else {
                HtmlNode element = StartTag();
                const bool leaf = IsVoid(element.tag);
                const bool raw = element.tag == "style" || element.tag == "script";
                open.back()->children.push_back(std::move(element));
                HtmlNode* added = &open.back()->children.back();
                if (raw) {
                    const std::size_t end = html_.find("</" + added->tag + ">", pos_);
                    if (end == std::string::npos) return Fail("<" + added->tag + "> not closed"), root;
                    pos_ = end + added->tag.size() + 3;
                } else if (!leaf) {
                    open.push_back(added);
                }
            }
        }
        if (error_.empty() && open.size() > 1) Fail("<" + open.back()->tag + "> not closed");
        return root;
    }

 private:
    HtmlNode StartTag() {
        HtmlNode element;
        ++pos_;
        element.tag = Name();
        for (;;) {
            while (pos_ < html_.size() && html_[pos_] == ' ') ++pos_;
            if (pos_ >= html_.size()) return Fail("a start tag runs to the end"), element;
            if (html_[pos_] == '>') break;
            const std::string name = Name();
            if (name.empty() || html_.compare(pos_, 2, "=\"") != 0) {
                return Fail("attribute " + name + " of <" + element.tag + "> is not name=\"value\""), element;
            }
            const std::size_t end = html_.find('"', pos_ + 2);
            element.attributes[name] = Decoded(html_.substr(pos_ + 2, end - pos_ - 2));
            pos_ = end + 1;
        }
        ++pos_;
        return element;
    }

    std::string Name() {
        const std::size_t start = pos_;
        while (pos_ < html_.size() && (std::isalnum(static_cast<unsigned char>(html_[pos_])) || html_[pos_] == '-')) {
            ++pos_;
        }
        return html_.substr(start, pos_ - start);
    }

    std::string Decoded(const std::string& text) {
        static const std::map<std::string, std::string> kEntities = {
            {"amp", "&"}, {"lt", "<"}, {"gt", ">"}, {"quot", "\""}, {"middot", "\xC2\xB7"},
            {"hellip", "\xE2\x80\xA6"}, {"nbsp", "\xC2\xA0"}, {"rarr", "\xE2\x86\x92"}, {"larr", "\xE2\x86\x90"}};
        std::string out;
        for (std::size_t i = 0; i < text.size(); ++i) {
            const std::size_t semicolon = text[i] == '&' ? text.find(';', i) : std::string::npos;
            if (text[i] != '&') {
                out += text[i];
            } else if (semicolon != std::string::npos && kEntities.count(text.substr(i + 1, semicolon - i - 1))) {
                out += kEntities.at(text.substr(i + 1, semicolon - i - 1));
                i = semicolon;
            } else {
                Fail("unknown entity at " + text.substr(i, 10));
                break;
            }
        }
        return out;
    }

    void Fail(const std::string& what) {
        if (error_.empty()) error_ = what + " at byte " + std::to_string(pos_);
    }

    const std::string& html_;
    std::string& error_;
    std::size_t pos_ = 0;
};

void Collect(const HtmlNode& node, const std::string& tag, const std::string& cls,
             std::vector<const HtmlNode*>* found) {
    for (const HtmlNode& child : node.children) {
        if (child.tag == tag && (cls.empty() || child.HasClass(cls))) found->push_back(&child);
        Collect(child, tag, cls, found);
    }
}

}  // namespace

std::string HtmlNode::Attribute(const std::string& name) const {
    const auto found = attributes.find(name);
    return found != attributes.end() ? found->second : "";
}

bool HtmlNode::HasClass(const std::string& name) const {
    const std::string classes = " " + Attribute("class") + " ";
    return classes.find(" " + name + " ") != std::string::npos;
}

std::string HtmlNode::Text() const {
    std::string all = text;
    for (const HtmlNode& child : children) all += child.Text();
    return all;
}

std::vector<const HtmlNode*> HtmlNode::All(const std::string& element, const std::string& cls) const {
    std::vector<const HtmlNode*> found;
    Collect(*this, element, cls, &found);
    return found;
}

const HtmlNode* HtmlNode::Child(const std::string& element) const {
    for (const HtmlNode& child : children) {
        if (child.tag == element) return &child;
    }
    return nullptr;
}

HtmlNode ParseHtml(const std::string& html, std::string* error) {
    error->clear();
    return Parser(html, error).Parse();
}
