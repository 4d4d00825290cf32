// CRZPath: the way an army takes from one province to another, and CRZLandPath, the way over land only.
#pragma once

class CProvince;
class CRZUnit;

class CRZPath {
public:
    virtual ~CRZPath() = default;

    // Searches the fewest steps from one province to the other through provinces the army may enter.
    // True when a way exists; GetLength then answers its steps (0 from a province to itself).
    bool Find(CRZUnit* unit, CProvince& from, CProvince& to);
    // Steps of the last way found; -1 when none was.
    int GetLength() const { return length; }

protected:
    virtual bool MayEnter(const CRZUnit* unit, const CProvince& province) const = 0;

private:
    int length = -1;
};

class CRZLandPath : public CRZPath {
protected:
    bool MayEnter(const CRZUnit*, const CProvince& province) const override;
};
