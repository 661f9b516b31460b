insert into RegMslEntry (RegMsl_id,electro_id) values (:id1,:id2)
