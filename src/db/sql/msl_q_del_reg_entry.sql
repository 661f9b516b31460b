delete from RegMslEntry where RegMslEntry_id=:id
