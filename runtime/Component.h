#pragma once

#include <functional>
#include <vector>

#include <QMap>
#include <QString>
#include <QVariant>

class QObject;
struct QMetaObject;

using TNotifyEvent = std::function<void(QObject *Sender)>;

// A property that a component stores itself, beside its Q_PROPERTYs (a region block, say). The reader
// hands `read` the parsed value; `write` gives the value to store, or an invalid QVariant to store nothing.
struct TDefinedProperty
{
    QString name;
    std::function<void(const QVariant &value)> read;
    std::function<QVariant()> write;
};

// An event property (`OnClick`) that a stored layout binds by name to a handler of the form.
struct TEventProperty
{
    QString name;
    TNotifyEvent *handler;
};

// A member of a window that the layout reader points at the component of that name once the whole layout
// is read (see TBound).
struct TBoundMember
{
    QString name;
    const QMetaObject *type;
    std::function<void(QObject *component)> assign;
};

// The component state shared by every class that a stored layout can create: whether it is being loaded,
// whether it sits in a layout designer, its event properties and its self-stored properties. A mixin
// beside QObject, so that widgets and plain objects carry the same state.
class TComponent
{
public:
    TComponent() = default;
    virtual ~TComponent() = default;
    TComponent(const TComponent &) = delete;
    TComponent &operator=(const TComponent &) = delete;

    bool Loading() const { return m_loading; }
    bool Designing() const { return m_designing; }
    // Only tests switch design mode on; the running program never does.
    void SetDesigning(bool designing) { m_designing = designing; }

    // The layout reader calls BeginLoading when it creates the component and Loaded once the whole
    // layout is read. Overrides call the base first, which ends the loading state.
    void BeginLoading() { m_loading = true; }
    virtual void Loaded();

    virtual std::vector<TDefinedProperty> DefinedProperties();
    // Whether a written layout stores this published property now; a value the component takes from
    // elsewhere (its parent's colour, say) is not its own to store.
    virtual bool StoresProperty(const char *name) const;
    // A child object stored under this component (an event under a timer list, an item under a popup
    // menu) has been created with this component as its Qt parent and wants to join its list.
    virtual void InsertChild(QObject *child);

    const std::vector<TEventProperty> &Events() const { return m_events; }
    TNotifyEvent *Event(const QString &name) const;
    // Binds an event to a handler and remembers the handler's name, which a written layout stores.
    void BindEvent(const QString &event, const QString &handlerName, TNotifyEvent handler);
    QString HandlerName(const QString &event) const { return m_handlerNames.value(event); }

    // The TComponent behind an object, or null when it is a plain QObject.
    static TComponent *Of(QObject *object);
    static const TComponent *Of(const QObject *object);

    // Members that the layout reader binds by name; TBound members add themselves.
    const std::vector<TBoundMember> &BoundMembers() const { return m_boundMembers; }
    void AddBoundMember(TBoundMember member) { m_boundMembers.push_back(std::move(member)); }

protected:
    // Constructors publish their event members once; the member must live as long as the component.
    void PublishEvent(const QString &name, TNotifyEvent &handler);

private:
    bool m_loading = false;
    bool m_designing = false;
    std::vector<TEventProperty> m_events;
    QMap<QString, QString> m_handlerNames;
    std::vector<TBoundMember> m_boundMembers;
};
