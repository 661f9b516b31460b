delete from RegMslEntry  where RegMsl_id=:id
