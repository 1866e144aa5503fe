// A camera's GenICam description as the program's feature list: every value and command node
// reachable from the root category, in the description's order, with the category that holds
// it, the program's type, representation, visibility and polling codes, the features a
// selector selects, and which features a write may change (the nodes each feature reads, the
// registers a write invalidates).
#ifndef VQTARVFEATURETREE_H
#define VQTARVFEATURETREE_H

#include <QByteArray>
#include <QHash>
#include <QVector>
#include <arv.h>
#include <set>

struct VQtArvFeature {
    QByteArray name;
    QByteArray category; // the category that lists it, empty at the root
    ArvGcFeatureNode* node = nullptr;
    uint32_t type = 0;           // OXAFEATURE_VAL_TYPE
    uint32_t representation = 0; // OXAFEATURE_REPRESENTATION (integers)
    uint32_t visibility = 0;     // OXAFEATURE_VISIBILITY
    int32_t pollingMs = -1;      // -1: not polled
    bool streamable = false;     // marked for saving camera states
    QVector<int> selected;       // features this selector selects
    std::set<ArvGcNode*> reads;  // every node its value, limits or access depend on
};

class VQtArvFeatureTree {
public:
    void build(ArvGc* genicam);
    void clear();

    // The listed features; features found by name outside the categories come after them.
    int size() const { return m_listed; }
    const VQtArvFeature& at(int index) const { return m_features.at(index); }
    // -1 when the camera has no listed feature of that name.
    int indexOf(const QByteArray& name) const { return m_index.value(name, -1); }
    // Descriptions often leave features out of every category ("AcquisitionFrameRate"): they
    // are reached by name all the same. Adds such a feature of the description after the listed
    // ones and returns its index, -1 when the description has no value feature of that name.
    int addUnlisted(ArvGc* genicam, const QByteArray& name);
    // Features other than the written one whose value, limits or access a write to it may change:
    // the features it selects and those that read what it writes or invalidates.
    QVector<int> changedBy(int written) const;
    // Whether the description marks any feature for saving camera states.
    bool hasStreamable() const { return m_anyStreamable; }

    // The program's codes of a GenICam node.
    static uint32_t typeOf(ArvGcFeatureNode* node);
    static uint32_t visibilityOf(ArvGcVisibility visibility);
    static uint32_t representationOf(ArvGcRepresentation representation);

private:
    void addCategory(ArvGcNode* category, const QByteArray& name, std::set<ArvGcNode*>& seen);
    void addFeature(ArvGcFeatureNode* node, const QByteArray& category);
    void addWrites(const VQtArvFeature& f);

    QVector<VQtArvFeature> m_features;
    QHash<QByteArray, int> m_index;
    // For each node, the nodes it writes through (pValue chains) and the registers that name it
    // as their invalidator.
    QHash<ArvGcNode*, QVector<ArvGcNode*>> m_writes;
    QHash<ArvGcNode*, QVector<ArvGcNode*>> m_invalidates; // invalidator -> registers
    int m_listed = 0;
    bool m_anyStreamable = false;
};

#endif // VQTARVFEATURETREE_H
