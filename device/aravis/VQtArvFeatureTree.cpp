#include "device/aravis/VQtArvFeatureTree.h"

#include <vector>

#include "device/OxaApi.h"

namespace {

// Links along which a node's value, limits or access follow another node. Categories
// (pFeature), selections, ports and invalidators are not dependencies of the value.
bool readsThrough(ArvGcPropertyNodeType type) {
    switch (type) {
    case ARV_GC_PROPERTY_NODE_TYPE_P_VALUE:
    case ARV_GC_PROPERTY_NODE_TYPE_P_ADDRESS:
    case ARV_GC_PROPERTY_NODE_TYPE_P_IS_IMPLEMENTED:
    case ARV_GC_PROPERTY_NODE_TYPE_P_IS_LOCKED:
    case ARV_GC_PROPERTY_NODE_TYPE_P_IS_AVAILABLE:
    case ARV_GC_PROPERTY_NODE_TYPE_P_MINIMUM:
    case ARV_GC_PROPERTY_NODE_TYPE_P_MAXIMUM:
    case ARV_GC_PROPERTY_NODE_TYPE_P_INCREMENT:
    case ARV_GC_PROPERTY_NODE_TYPE_P_INDEX:
    case ARV_GC_PROPERTY_NODE_TYPE_P_LENGTH:
    case ARV_GC_PROPERTY_NODE_TYPE_P_VARIABLE:
    case ARV_GC_PROPERTY_NODE_TYPE_P_COMMAND_VALUE:
    case ARV_GC_PROPERTY_NODE_TYPE_P_VALUE_INDEXED:
    case ARV_GC_PROPERTY_NODE_TYPE_P_VALUE_DEFAULT:
        return true;
    default:
        return false;
    }
}

// Calls f(property) for every property child of a node, and of its enumeration entries.
template <typename F> void forEachProperty(ArvDomNode* node, F&& f) {
    for (ArvDomNode* c = arv_dom_node_get_first_child(node); c; c = arv_dom_node_get_next_sibling(c)) {
        if (ARV_IS_GC_PROPERTY_NODE(c))
            f(ARV_GC_PROPERTY_NODE(c));
        else if (ARV_IS_GC_ENUM_ENTRY(c))
            forEachProperty(c, f);
    }
}

ArvGcPropertyNode* property(ArvGcNode* node, ArvGcPropertyNodeType type) {
    ArvGcPropertyNode* found = nullptr;
    for (ArvDomNode* c = arv_dom_node_get_first_child(ARV_DOM_NODE(node)); c && !found;
         c = arv_dom_node_get_next_sibling(c))
        if (ARV_IS_GC_PROPERTY_NODE(c) && arv_gc_property_node_get_node_type(ARV_GC_PROPERTY_NODE(c)) == type)
            found = ARV_GC_PROPERTY_NODE(c);
    return found;
}

ArvGcNode* valueOf(ArvGcNode* node) {
    ArvGcPropertyNode* p = property(node, ARV_GC_PROPERTY_NODE_TYPE_P_VALUE);
    return p ? arv_gc_property_node_get_linked_node(p) : nullptr;
}

// The polling time a node or the register behind it declares (pValue chain), -1 when none.
int32_t pollingOf(ArvGcNode* node) {
    for (int depth = 0; node && depth < 8; ++depth, node = valueOf(node))
        if (ArvGcPropertyNode* p = property(node, ARV_GC_PROPERTY_NODE_TYPE_POLLING_TIME)) {
            const gint64 ms = arv_gc_property_node_get_int64(p, nullptr);
            if (ms > 0 && ms <= INT32_MAX)
                return int32_t(ms);
        }
    return -1;
}

bool streamableOf(ArvGcNode* node) {
    ArvGcPropertyNode* p = property(node, ARV_GC_PROPERTY_NODE_TYPE_STREAMABLE);
    return p && arv_gc_property_node_get_streamable(p, ARV_GC_STREAMABLE_NO) == ARV_GC_STREAMABLE_YES;
}

void collectReads(ArvGcNode* start, std::set<ArvGcNode*>& out) {
    std::vector<ArvGcNode*> todo{start};
    while (!todo.empty()) {
        ArvGcNode* n = todo.back();
        todo.pop_back();
        forEachProperty(ARV_DOM_NODE(n), [&](ArvGcPropertyNode* p) {
            if (!readsThrough(arv_gc_property_node_get_node_type(p)))
                return;
            ArvGcNode* linked = arv_gc_property_node_get_linked_node(p);
            if (linked && out.insert(linked).second)
                todo.push_back(linked);
        });
    }
}

} // namespace

uint32_t VQtArvFeatureTree::typeOf(ArvGcFeatureNode* node) {
    if (ARV_IS_GC_CATEGORY(node))
        return OXAFEATURE_VAL_TYPE_CATEGORY;
    if (ARV_IS_GC_COMMAND(node))
        return OXAFEATURE_VAL_TYPE_COMMAND;
    if (ARV_IS_GC_ENUMERATION(node))
        return OXAFEATURE_VAL_TYPE_ENUM;
    if (ARV_IS_GC_BOOLEAN(node))
        return OXAFEATURE_VAL_TYPE_BOOL;
    if (ARV_IS_GC_FLOAT(node))
        return OXAFEATURE_VAL_TYPE_DOUBLE;
    // Computed integers (formulas) can only be read.
    if (ARV_IS_GC_INT_SWISS_KNIFE_NODE(node))
        return OXAFEATURE_VAL_TYPE_INT64_RO;
    if (ARV_IS_GC_INTEGER(node))
        return OXAFEATURE_VAL_TYPE_INT64;
    if (ARV_IS_GC_STRING(node))
        return OXAFEATURE_VAL_TYPE_STRING;
    return OXAFEATURE_VAL_TYPE_UNDEFINED;
}

uint32_t VQtArvFeatureTree::visibilityOf(ArvGcVisibility visibility) {
    switch (visibility) {
    case ARV_GC_VISIBILITY_BEGINNER:
        return OXA_VISIBILITY_BEGINNER;
    case ARV_GC_VISIBILITY_EXPERT:
        return OXA_VISIBILITY_EXPERT;
    case ARV_GC_VISIBILITY_GURU:
        return OXA_VISIBILITY_GURU;
    case ARV_GC_VISIBILITY_INVISIBLE:
        return OXA_VISIBILITY_INVISIBLE;
    default:
        return OXA_VISIBILITY_BEGINNER; // GenICam's default visibility
    }
}

uint32_t VQtArvFeatureTree::representationOf(ArvGcRepresentation representation) {
    switch (representation) {
    case ARV_GC_REPRESENTATION_LINEAR:
        return OXA_REPRESENTATION_LINEAR;
    case ARV_GC_REPRESENTATION_LOGARITHMIC:
        return OXA_REPRESENTATION_LOGARITHMIC;
    case ARV_GC_REPRESENTATION_BOOLEAN:
        return OXA_REPRESENTATION_BOOLEAN;
    case ARV_GC_REPRESENTATION_PURE_NUMBER:
        return OXA_REPRESENTATION_PURE_NUMBER;
    case ARV_GC_REPRESENTATION_HEX_NUMBER:
        return OXA_REPRESENTATION_HEX_NUMBER;
    case ARV_GC_REPRESENTATION_IPV4_ADDRESS:
        return OXA_REPRESENTATION_IPV4_ADDRESS;
    case ARV_GC_REPRESENTATION_MAC_ADDRESS:
        return OXA_REPRESENTATION_MAC_ADDRESS;
    default:
        return OXA_REPRESENTATION_LINEAR; // GenICam's default for integers
    }
}

void VQtArvFeatureTree::clear() {
    m_features.clear();
    m_index.clear();
    m_writes.clear();
    m_invalidates.clear();
    m_listed = 0;
    m_anyStreamable = false;
}

void VQtArvFeatureTree::build(ArvGc* genicam) {
    clear();
    std::set<ArvGcNode*> seen;
    if (ArvGcNode* root = arv_gc_get_node(genicam, "Root"))
        addCategory(root, QByteArray(), seen);

    // Selections, by index.
    for (VQtArvFeature& f : m_features) {
        if (!ARV_IS_GC_SELECTOR(f.node) || !arv_gc_selector_is_selector(ARV_GC_SELECTOR(f.node)))
            continue;
        for (const GSList* l = arv_gc_selector_get_selected_features(ARV_GC_SELECTOR(f.node)); l;
             l = l->next) {
            if (!ARV_IS_GC_FEATURE_NODE(l->data))
                continue;
            const int i = indexOf(arv_gc_feature_node_get_name(ARV_GC_FEATURE_NODE(l->data)));
            if (i >= 0 && !f.selected.contains(i))
                f.selected << i;
        }
    }

    m_listed = m_features.size();

    // What a write to a node reaches: its pValue chain, and the registers that name any node of
    // that chain as their invalidator.
    ArvDomElement* doc = arv_dom_document_get_document_element(ARV_DOM_DOCUMENT(genicam));
    for (ArvDomNode* n = doc ? arv_dom_node_get_first_child(ARV_DOM_NODE(doc)) : nullptr; n;
         n = arv_dom_node_get_next_sibling(n)) {
        if (!ARV_IS_GC_NODE(n))
            continue;
        forEachProperty(n, [&](ArvGcPropertyNode* p) {
            if (arv_gc_property_node_get_node_type(p) != ARV_GC_PROPERTY_NODE_TYPE_P_INVALIDATOR)
                return;
            if (ArvGcNode* invalidator = arv_gc_property_node_get_linked_node(p))
                m_invalidates[invalidator] << ARV_GC_NODE(n);
        });
    }
    for (const VQtArvFeature& f : m_features)
        addWrites(f);
}

void VQtArvFeatureTree::addWrites(const VQtArvFeature& f) {
    QVector<ArvGcNode*> reached;
    for (ArvGcNode* n = ARV_GC_NODE(f.node); n && !reached.contains(n) && reached.size() < 16; n = valueOf(n))
        reached << n;
    for (int i = 0; i < reached.size(); ++i)
        for (ArvGcNode* r : m_invalidates.value(reached.at(i)))
            if (!reached.contains(r))
                reached << r;
    m_writes.insert(ARV_GC_NODE(f.node), reached);
}

int VQtArvFeatureTree::addUnlisted(ArvGc* genicam, const QByteArray& name) {
    const int known = indexOf(name);
    if (known >= 0)
        return known;
    ArvGcNode* node = genicam ? arv_gc_get_node(genicam, name.constData()) : nullptr;
    if (!node || !ARV_IS_GC_FEATURE_NODE(node) || ARV_IS_GC_CATEGORY(node))
        return -1;
    addFeature(ARV_GC_FEATURE_NODE(node), QByteArray());
    const int index = indexOf(name);
    if (index >= 0)
        addWrites(m_features.at(index));
    return index;
}

void VQtArvFeatureTree::addCategory(ArvGcNode* category, const QByteArray& name, std::set<ArvGcNode*>& seen) {
    if (!seen.insert(category).second)
        return;
    ArvGc* genicam = arv_gc_node_get_genicam(category);
    for (const GSList* l = arv_gc_category_get_features(ARV_GC_CATEGORY(category)); l; l = l->next) {
        ArvGcNode* child = arv_gc_get_node(genicam, static_cast<const char*>(l->data));
        if (!child || !ARV_IS_GC_FEATURE_NODE(child))
            continue;
        ArvGcFeatureNode* feature = ARV_GC_FEATURE_NODE(child);
        if (ARV_IS_GC_CATEGORY(child))
            addCategory(child, arv_gc_feature_node_get_name(feature), seen);
        else if (seen.insert(child).second)
            addFeature(feature, name);
    }
}

void VQtArvFeatureTree::addFeature(ArvGcFeatureNode* node, const QByteArray& category) {
    VQtArvFeature f;
    f.type = typeOf(node);
    const char* name = arv_gc_feature_node_get_name(node);
    if (f.type == OXAFEATURE_VAL_TYPE_UNDEFINED || !name || m_index.contains(name))
        return;
    f.name = name;
    f.category = category;
    f.node = node;
    if (ARV_IS_GC_INTEGER(node) && f.type != OXAFEATURE_VAL_TYPE_ENUM)
        f.representation = representationOf(arv_gc_integer_get_representation(ARV_GC_INTEGER(node)));
    f.visibility = visibilityOf(arv_gc_feature_node_get_visibility(node));
    f.pollingMs = pollingOf(ARV_GC_NODE(node));
    f.streamable = streamableOf(ARV_GC_NODE(node));
    m_anyStreamable = m_anyStreamable || f.streamable;
    collectReads(ARV_GC_NODE(node), f.reads);
    m_index.insert(f.name, m_features.size());
    m_features << f;
}

QVector<int> VQtArvFeatureTree::changedBy(int written) const {
    QVector<int> out;
    if (written < 0 || written >= m_features.size())
        return out;
    const VQtArvFeature& w = m_features.at(written);
    const QVector<ArvGcNode*> reached = m_writes.value(ARV_GC_NODE(w.node));
    for (int i = 0; i < m_features.size(); ++i) {
        if (i == written)
            continue;
        const VQtArvFeature& f = m_features.at(i);
        bool hit = w.selected.contains(i) || reached.contains(ARV_GC_NODE(f.node));
        for (int k = 0; !hit && k < reached.size(); ++k)
            hit = f.reads.count(reached.at(k)) != 0;
        if (hit)
            out << i;
    }
    return out;
}
